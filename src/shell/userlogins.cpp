#include "userlogins.h"

#include "data/connection.h"
#include "data/dberror.h"
#include "data/loginstore.h"
#include "data/recordset.h"
#include "session/module1.h"

namespace wb::userlogins {

QString loginNameOf(const QString& userName) {
    return QString(userName).remove(QLatin1Char(' '));
}

bool sameLogin(const QString& a, const QString& b) {
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

bool isSessionLogin(const QString& userName) {
    return sameLogin(loginNameOf(userName), Module1::Con->user());
}

bool nameTaken(const QString& userName) {
    Module1::OpenRs(QStringLiteral("Select User_Name From User_Information Where "
                                   "upper(Replace(User_Name,' ','')) = upper(%1)")
                        .arg(Module1::Con->dialect().textParam()),
                    {loginNameOf(userName)});
    return Module1::Rs->RecordCount() > 0;
}

void create(const QString& userName, const QString& password, bool administrator) {
    const QString login = loginNameOf(userName);
    LoginStore& logins = Module1::Con->logins();
    if (logins.exists(login))
        throw DbError(QStringLiteral("The login '%1' exists already: choose another name.").arg(login),
                      DbError::Kind::Refused);
    try {
        logins.create(login, password, administrator);
    } catch (const DbError& e) {
        if (e.kind() == DbError::Kind::Duplicate)
            throw DbError(e.text(), DbError::Kind::Refused);
        throw;
    }
}

void matchStatus(const QString& userName, bool administrator) {
    LoginStore& logins = Module1::Con->logins();
    const QString login = logins.programLogin(loginNameOf(userName));
    if (!login.isEmpty() && logins.isAdministrator(login) != administrator)
        logins.setAdministrator(login, administrator);
}

void drop(const QString& userName) {
    LoginStore& logins = Module1::Con->logins();
    const QString login = logins.programLogin(loginNameOf(userName));
    if (!login.isEmpty())
        logins.drop(login);
}

} // namespace wb::userlogins
