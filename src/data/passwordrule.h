#pragma once

#include <QString>

namespace wb {

// New passwords (the first administrator's, a user's, the listing account's) have at least this
// many characters; logins made before keep working with the passwords they have.
inline constexpr int MinimumPasswordLength = 8;

// Why a new password is refused, or the empty text when it may be used.
inline QString newPasswordProblem(const QString& password) {
    if (password.size() < MinimumPasswordLength)
        return QStringLiteral("The password must have at least %1 characters.").arg(MinimumPasswordLength);
    return {};
}

} // namespace wb
