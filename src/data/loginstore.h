#pragma once

#include <QString>
#include <QStringList>

namespace wb {

class Connection;

// The database's own logins: the embedded engine keeps them in a table of Argon2id hashes, the
// server keeps them as roles of the program's group role.
class LoginStore {
public:
    virtual ~LoginStore() = default;
    // Every login of the program except the database owner, sorted by name.
    virtual QStringList list() = 0;
    // Raises DbError (Kind::Login) with a text that says why when the name or password is wrong.
    virtual void check(const QString& name, const QString& password) = 0;
    // Creates a login; only an administrator login may create logins. `administrator` lets the new
    // login create, change and drop logins and write the users and their menu rights in turn.
    virtual void create(const QString& name, const QString& password, bool administrator) = 0;
    // Any login may change its own password; only an administrator another's.
    virtual void changePassword(const QString& name, const QString& password) = 0;
    // Gives or takes an administrator's rights; only an administrator may.
    virtual void setAdministrator(const QString& name, bool administrator) = 0;
    virtual bool isAdministrator(const QString& name) = 0;
    virtual void drop(const QString& name) = 0;
    // Whether any login (or, on the server, any role) has the name.
    virtual bool exists(const QString& name) = 0;
    // The program's login of that name as the store spells it (letter case aside), or the empty text
    // when the program has no such login.
    QString programLogin(const QString& name) {
        for (const QString& existing : list())
            if (existing.compare(name, Qt::CaseInsensitive) == 0)
                return existing;
        return {};
    }
    // Does the slow part of protecting a password (the embedded engine's hash) now, before a saving
    // transaction opens, so that no desk waits for it on the write lock; the next create or
    // changePassword with this password takes the prepared result.
    virtual void prepare(const QString& password) { (void)password; }
};

} // namespace wb
