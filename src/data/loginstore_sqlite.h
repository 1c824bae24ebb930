#pragma once

#include "loginstore.h"

#include <functional>

namespace wb {

// Logins of the embedded database: rows of the Logins table holding Argon2id hashes.
class SqliteLoginStore : public LoginStore {
public:
    explicit SqliteLoginStore(Connection& con) : con_(con) {}
    QStringList list() override;
    void check(const QString& name, const QString& password) override;
    void create(const QString& name, const QString& password, bool administrator) override;
    void changePassword(const QString& name, const QString& password) override;
    void setAdministrator(const QString& name, bool administrator) override;
    bool isAdministrator(const QString& name) override;
    void drop(const QString& name) override;
    bool exists(const QString& name) override;
    void prepare(const QString& password) override;

    // Tests only: runs just before a password is hashed, on the hashing thread.
    static void setHashObserver(std::function<void()> observer);

private:
    void requireAdministrator(const QString& what);
    QString hashFor(const QString& password);
    Connection& con_;
    QString preparedPassword_;
    QString preparedHash_;
};

// An Argon2id hash of the password in libsodium's string form; and its check.
QString hashPassword(const QString& password);
bool verifyPassword(const QString& hash, const QString& password);

} // namespace wb
