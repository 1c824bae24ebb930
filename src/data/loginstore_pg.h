#pragma once

#include "loginstore.h"

#include <QVariantList>

namespace wb {

// Logins of the server: roles that can log in and belong to the program's group role
// ("<catalogue>_users"); an administrator's login also belongs to "<catalogue>_admins". No login
// may create roles: logins are created, changed and dropped through the catalogue's login
// functions, which check the caller, and passwords travel only as SCRAM-SHA-256 verifiers.
class PostgresLoginStore : public LoginStore {
public:
    explicit PostgresLoginStore(Connection& con) : con_(con) {}
    QStringList list() override;
    void check(const QString& name, const QString& password) override;
    void create(const QString& name, const QString& password, bool administrator) override;
    void changePassword(const QString& name, const QString& password) override;
    void setAdministrator(const QString& name, bool administrator) override;
    bool isAdministrator(const QString& name) override;
    void drop(const QString& name) override;
    bool exists(const QString& name) override;

    static QString groupRole(const QString& database);
    static QString listerRole(const QString& database);

private:
    // Calls one of the catalogue's login functions; its refusals become DbErrors of their kind.
    void call(const QString& function, const QString& name, const QVariantList& args);
    Connection& con_;
};

} // namespace wb
