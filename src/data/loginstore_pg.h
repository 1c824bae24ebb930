#pragma once

#include "loginstore.h"

namespace wb {

// Logins of the server: roles that can log in and belong to the program's group role
// ("<catalogue>_users"), which holds the rights on the tables. Administrator logins may create roles.
class PostgresLoginStore : public LoginStore {
public:
    explicit PostgresLoginStore(Connection& con) : con_(con) {}
    QStringList list() override;
    void check(const QString& name, const QString& password) override;
    void create(const QString& name, const QString& password, bool administrator) override;
    void changePassword(const QString& name, const QString& password) override;
    void drop(const QString& name) override;
    bool exists(const QString& name) override;

    static QString groupRole(const QString& database);
    static QString listerRole(const QString& database);

private:
    // Runs a role statement quoted by the server: format(pattern, args...) then execute.
    void runFormatted(const QString& pattern, const QVariantList& args);
    Connection& con_;
};

} // namespace wb
