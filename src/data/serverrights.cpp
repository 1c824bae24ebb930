#include "serverrights.h"

#include "connection.h"

namespace wb::ServerRights {

QString usersRole(const QString& catalogue) {
    return catalogue.toLower() + QStringLiteral("_users");
}
QString adminsRole(const QString& catalogue) {
    return catalogue.toLower() + QStringLiteral("_admins");
}
QString keeperRole(const QString& catalogue) {
    return catalogue.toLower() + QStringLiteral("_keeper");
}
QString listerRole(const QString& catalogue) {
    return catalogue.toLower() + QStringLiteral("_lister");
}

bool isProtectedTable(const QString& table) {
    static const QStringList protectedTables = {QStringLiteral("user_information"),
                                                QStringLiteral("chart_of_menus"),
                                                QStringLiteral("schema_version"), QStringLiteral("logins")};
    return protectedTables.contains(table.toLower());
}

void runQuoted(Connection& con, const QString& pattern, const QVariantList& args) {
    QString placeholders;
    for (qsizetype i = 0; i < args.size(); ++i)
        placeholders += QStringLiteral(", ?::text");
    QVariantList params{pattern};
    params += args;
    con.Execute(con.scalar(QStringLiteral("select format(?::text%1)").arg(placeholders), params).toString());
}

bool roleExists(Connection& con, const QString& role) {
    return con.scalar(QStringLiteral("select 1 from pg_roles where rolname = ?::text"), {role}).isValid();
}

namespace {

// What a table's writers may do: the slips' writers add slips with their lines and cancel them.
QString writersRights(const QString& table) {
    if (table == QLatin1String("slips_master"))
        return QStringLiteral("INSERT, UPDATE (CancelStatus, CanResign)");
    if (table == QLatin1String("slip_detail"))
        return QStringLiteral("INSERT");
    return QStringLiteral("INSERT, UPDATE, DELETE");
}

} // namespace

void grantTables(Connection& con) {
    const QString catalogue = con.info().database;
    const QString users = usersRole(catalogue);
    const QString admins = adminsRole(catalogue);
    const QString keeper = keeperRole(catalogue);
    if (!roleExists(con, users))
        return;
    const bool haveAdmins = roleExists(con, admins);
    const bool haveKeeper = roleExists(con, keeper);
    runQuoted(con, QStringLiteral("GRANT USAGE ON SCHEMA public TO %I"), {users});
    QStringList tables;
    {
        QSqlQuery q = con.query(
            QStringLiteral("select tablename from pg_tables where schemaname = 'public' order by tablename"));
        while (q.next())
            tables << q.value(0).toString();
    }
    const QStringList written = writtenTables();
    for (const QString& table : tables) {
        const QString name = table.toLower();
        const QString writers = writersRole(catalogue, name);
        const bool haveWriters = written.contains(name) && roleExists(con, writers);
        // The keeper reads who may open what, to give the writers' roles.
        const bool keeperReads = haveKeeper && (name == QLatin1String("user_information") ||
                                                name == QLatin1String("chart_of_menus"));
        // Every right of the program's roles is given anew in one order, so that a second run
        // leaves the table's rights exactly as they were.
        runQuoted(con, QStringLiteral("REVOKE ALL ON TABLE %I FROM PUBLIC, %I"), {table, users});
        if (haveWriters)
            runQuoted(con, QStringLiteral("REVOKE ALL ON TABLE %I FROM %I"), {table, writers});
        if (haveAdmins)
            runQuoted(con, QStringLiteral("REVOKE ALL ON TABLE %I FROM %I"), {table, admins});
        if (keeperReads)
            runQuoted(con, QStringLiteral("REVOKE ALL ON TABLE %I FROM %I"), {table, keeper});
        runQuoted(con, QStringLiteral("GRANT SELECT ON TABLE %I TO %I"), {table, users});
        if (haveWriters)
            runQuoted(con, QStringLiteral("GRANT %1 ON TABLE %I TO %I").arg(writersRights(name)),
                      {table, writers});
        if (haveAdmins && name != QLatin1String("schema_version"))
            runQuoted(con, QStringLiteral("GRANT SELECT, INSERT, UPDATE, DELETE ON TABLE %I TO %I"),
                      {table, admins});
        if (keeperReads)
            runQuoted(con, QStringLiteral("GRANT SELECT ON TABLE %I TO %I"), {table, keeper});
    }
    // The keys the database assigns come from identity columns, which need no right of their own.
    runQuoted(con, QStringLiteral("REVOKE ALL ON ALL SEQUENCES IN SCHEMA public FROM %I"), {users});
}

namespace {

// Shared checks of the login functions. The group names follow from the catalogue the function
// lives in; the caller is the session's login (a SECURITY DEFINER function runs as its owner).
const char* const declarations = R"sql(
DECLARE
  v_users text := lower(current_database()) || '_users';
  v_admins text := lower(current_database()) || '_admins';
)sql";

const char* const requireAdministrator = R"sql(
  IF NOT pg_has_role(session_user, v_admins, 'MEMBER') THEN
    RAISE EXCEPTION 'Only an administrator may create, change or drop logins.' USING ERRCODE = '42501';
  END IF;
)sql";

const char* const requireVerifier = R"sql(
  IF p_verifier IS NULL OR p_verifier !~ '^SCRAM-SHA-256\$[0-9]+:[A-Za-z0-9+/=]+\$[A-Za-z0-9+/=]+:[A-Za-z0-9+/=]+$' THEN
    RAISE EXCEPTION 'A password reaches the server only as a SCRAM-SHA-256 verifier.' USING ERRCODE = '22023';
  END IF;
)sql";

// Only a login of this catalogue's user group is changed or dropped: never a superuser, another
// application's role or one of the groups.
const char* const requireProgramLogin = R"sql(
  IF NOT EXISTS (SELECT 1 FROM pg_auth_members m JOIN pg_roles r ON r.oid = m.member
                 JOIN pg_roles g ON g.oid = m.roleid
                 WHERE g.rolname = v_users AND r.rolname = p_name AND r.rolcanlogin AND NOT r.rolsuper) THEN
    RAISE EXCEPTION 'There is no login ''%'' of this catalogue.', p_name USING ERRCODE = '42704';
  END IF;
)sql";

struct LoginFunction {
    const char* signature;
    QString body;
};

QList<LoginFunction> loginFunctions() {
    const QString decl = QString::fromLatin1(declarations);
    const QString admin = QString::fromLatin1(requireAdministrator);
    const QString verifier = QString::fromLatin1(requireVerifier);
    const QString member = QString::fromLatin1(requireProgramLogin);
    return {
        {"wardbook_create_login(p_name text, p_verifier text, p_admin boolean)",
         decl + QStringLiteral("BEGIN") + admin + verifier + QStringLiteral(R"sql(
  IF p_name IS NULL OR btrim(p_name) = '' OR octet_length(p_name) > 63 THEN
    RAISE EXCEPTION 'A login needs a name of 1 to 63 characters.' USING ERRCODE = '22023';
  END IF;
  IF EXISTS (SELECT 1 FROM pg_roles WHERE rolname = p_name) THEN
    RAISE EXCEPTION 'The login ''%'' already exists.', p_name USING ERRCODE = '42710';
  END IF;
  EXECUTE format('CREATE ROLE %I LOGIN INHERIT NOSUPERUSER NOCREATEDB NOCREATEROLE NOREPLICATION '
                 'NOBYPASSRLS PASSWORD %L IN ROLE %I', p_name, p_verifier, v_users);
  IF p_admin THEN
    EXECUTE format('GRANT %I TO %I', v_admins, p_name);
  END IF;
END)sql")},
        {"wardbook_set_password(p_name text, p_verifier text)", decl + QStringLiteral(R"sql(BEGIN
  IF p_name IS DISTINCT FROM session_user::text THEN)sql") + admin + QStringLiteral("  END IF;") +
                                                                    verifier + member + QStringLiteral(R"sql(
  EXECUTE format('ALTER ROLE %I PASSWORD %L', p_name, p_verifier);
END)sql")},
        {"wardbook_set_administrator(p_name text, p_admin boolean)",
         decl + QStringLiteral("BEGIN") + admin + member + QStringLiteral(R"sql(
  IF p_admin THEN
    EXECUTE format('GRANT %I TO %I', v_admins, p_name);
  ELSE
    EXECUTE format('REVOKE %I FROM %I', v_admins, p_name);
  END IF;
END)sql")},
        {"wardbook_drop_login(p_name text)",
         decl + QStringLiteral("BEGIN") + admin + member + QStringLiteral(R"sql(
  IF p_name = session_user::text THEN
    RAISE EXCEPTION 'A login cannot drop itself.' USING ERRCODE = '42501';
  END IF;
  EXECUTE format('DROP ROLE %I', p_name);
END)sql")},
    };
}

} // namespace

void installFunction(Connection& con, const QString& signature, const QString& returns, const QString& body,
                     bool securityDefiner, const QString& callers) {
    const QString keeper = keeperRole(con.info().database);
    // The body is fixed text; it is quoted as a literal by the server.
    runQuoted(con,
              QStringLiteral("CREATE OR REPLACE FUNCTION public.%1 RETURNS %2 LANGUAGE plpgsql %3"
                             "SET search_path = pg_catalog, pg_temp AS %L")
                  .arg(signature, returns, securityDefiner ? QStringLiteral("SECURITY DEFINER ") : QString()),
              {body});
    const QString target = QStringLiteral("public.") + signature;
    runQuoted(con, QStringLiteral("ALTER FUNCTION %1 OWNER TO %I").arg(target), {keeper});
    con.Execute(QStringLiteral("REVOKE ALL ON FUNCTION %1 FROM PUBLIC").arg(target));
    if (!callers.isEmpty())
        runQuoted(con, QStringLiteral("GRANT EXECUTE ON FUNCTION %1 TO %I").arg(target), {callers});
}

void installLoginFunctions(Connection& con) {
    const QString users = usersRole(con.info().database);
    for (const LoginFunction& f : loginFunctions())
        installFunction(con, QString::fromLatin1(f.signature), QStringLiteral("void"), f.body, true, users);
}

} // namespace wb::ServerRights
