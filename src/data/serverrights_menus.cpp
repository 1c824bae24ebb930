// The server's side of the menu rights: which tables each menu command's screen writes, the
// writers' role of each table, the function that keeps every login's writers' roles in step with its
// menu rights, and the triggers that keep a saved slip as it was cashed.
#include "connection.h"
#include "serverrights.h"

namespace wb::ServerRights {

const QList<MenuWrites>& menuWrites() {
    static const QList<MenuWrites> all = [] {
        const QString reg = QStringLiteral("REGISTRATIONS");
        const QString trans = QStringLiteral("TRANSACTIONS");
        const auto one = [](const char* table) { return QStringList{QString::fromLatin1(table)}; };
        return QList<MenuWrites>{
            {QStringLiteral("Company Information"), reg, one("Company")},
            {QStringLiteral("Patient"), reg, one("Patient_Slips")},
            {QStringLiteral("Doctor"), reg, one("doc")},
            {QStringLiteral("Services"), reg, one("Services")},
            {QStringLiteral("RateList"), reg, one("Rate_List")},
            {QStringLiteral("Panel"), reg, one("Panel")},
            {QStringLiteral("Employees"), reg, one("Employees")},
            {QStringLiteral("SHIFT"), reg, one("SHIFT")},
            {QStringLiteral("Patient Slips"),
             trans,
             {QStringLiteral("SLIPS_MASTER"), QStringLiteral("SLIP_DETAIL")}},
            {QStringLiteral("Admissions"), trans, one("Addmission")},
            {QStringLiteral("Observations"), trans, one("Addmission")},
            {QStringLiteral("Birth Certificate"), trans, one("Brith_Certificate")},
            {QStringLiteral("Discharge Certificate"), trans, one("Discharge_Certificate")},
            {QStringLiteral("Death Certificate"), trans, one("Death_Certificate")},
            // The account reports keep their work rows in a temporary table of the session's own.
            {QStringLiteral("Report"), QStringLiteral("REPORTS"), {}},
        };
    }();
    return all;
}

QStringList writtenTables() {
    QStringList tables;
    for (const MenuWrites& m : menuWrites())
        for (const QString& t : m.tables)
            if (!tables.contains(t.toLower()))
                tables << t.toLower();
    return tables;
}

QString writersRole(const QString& catalogue, const QString& table) {
    return catalogue.toLower() + QStringLiteral("_writes_") + table.toLower();
}

QStringList catalogueRoles(const QString& catalogue) {
    QStringList roles{usersRole(catalogue), adminsRole(catalogue), keeperRole(catalogue),
                      listerRole(catalogue)};
    for (const QString& t : writtenTables())
        roles << writersRole(catalogue, t);
    return roles;
}

void ensureWriterRoles(Connection& server, const QString& catalogue) {
    for (const QString& t : writtenTables())
        if (const QString role = writersRole(catalogue, t); !roleExists(server, role))
            runQuoted(server, QStringLiteral("CREATE ROLE %I NOLOGIN NOCREATEROLE NOCREATEDB"), {role});
}

namespace {

// The map as rows of (command, its menu, a table it writes) for the function's text.
QString mapRows() {
    QStringList rows;
    const auto literal = [](QString text) { return QLatin1Char('\'') + text.replace('\'', "''") + '\''; };
    for (const MenuWrites& m : menuWrites())
        for (const QString& t : m.tables)
            rows << QStringLiteral("(%1, %2, %3)")
                        .arg(literal(m.menu), literal(m.topMenu), literal(t.toLower()));
    return rows.join(QStringLiteral(",\n      "));
}

// A login's commands are those the main window shows it: none while it has no right shown at all;
// otherwise every command that no row hides, neither the command's own rows nor its menu's (rows
// that name a caption and none of them shown).
const char* const followBody = R"sql(
DECLARE
  v_users text := lower(current_database()) || '_users';
  v_admins text := lower(current_database()) || '_admins';
  v_prefix text := lower(current_database()) || '_writes_';
  r record;
BEGIN
  IF NOT pg_has_role(session_user, v_admins, 'MEMBER') THEN
    RAISE EXCEPTION 'Only an administrator may change the users or their menu rights.' USING ERRCODE = '42501';
  END IF;
  FOR r IN
    WITH map(menu, top, tbl) AS (VALUES
      %1),
    logins AS (
      SELECT l.oid, l.rolname FROM pg_roles l JOIN pg_auth_members m ON m.member = l.oid
      JOIN pg_roles g ON g.oid = m.roleid
      WHERE g.rolname = v_users AND l.rolcanlogin AND NOT l.rolsuper),
    writers AS (
      SELECT DISTINCT map.tbl, w.oid, w.rolname FROM map JOIN pg_roles w ON w.rolname = v_prefix || map.tbl),
    rights AS (
      SELECT l.rolname AS login, c.menus, c.active FROM logins l
      JOIN public.user_information u ON upper(replace(u.user_name, ' ', '')) = upper(l.rolname)
      JOIN public.chart_of_menus c ON c.user_id = u.row_no),
    hidden AS (
      SELECT login, menus FROM rights GROUP BY login, menus HAVING bool_and(active IS DISTINCT FROM '1')),
    wanted AS (
      SELECT DISTINCT a.login, w.rolname AS role
      FROM (SELECT DISTINCT login FROM rights WHERE active = '1') a
      CROSS JOIN map JOIN writers w ON w.tbl = map.tbl
      WHERE NOT EXISTS (SELECT 1 FROM hidden h WHERE h.login = a.login AND h.menus IN (map.menu, map.top))),
    held AS (
      SELECT l.rolname AS login, w.rolname AS role FROM logins l
      JOIN pg_auth_members m ON m.member = l.oid JOIN writers w ON w.oid = m.roleid)
    SELECT 'GRANT' AS verb, g.login, g.role FROM (SELECT * FROM wanted EXCEPT SELECT * FROM held) g
    UNION ALL
    SELECT 'REVOKE', k.login, k.role FROM (SELECT * FROM held EXCEPT SELECT * FROM wanted) k
  LOOP
    IF r.verb = 'GRANT' THEN
      EXECUTE format('GRANT %I TO %I', r.role, r.login);
    ELSE
      EXECUTE format('REVOKE %I FROM %I', r.role, r.login);
    END IF;
  END LOOP;
END)sql";

const char* const changedBody = R"sql(BEGIN
  PERFORM public.wardbook_follow_menu_rights();
  RETURN NULL;
END)sql";

// The slips made in a transaction, so that only their lines may be added by a user who is not an
// administrator. Rows of finished transactions are cleared as new slips come.
const char* const slipAddedBody = R"sql(BEGIN
  DELETE FROM wardbook_private.new_slips WHERE ctid = ANY (ARRAY(
    SELECT ctid FROM wardbook_private.new_slips WHERE xact < pg_snapshot_xmin(pg_current_snapshot())
    FOR UPDATE SKIP LOCKED));
  INSERT INTO wardbook_private.new_slips (row_no, xact) VALUES (NEW.row_no, pg_current_xact_id());
  RETURN NULL;
END)sql";

const char* const slipKeptBody = R"sql(BEGIN
  IF NOT pg_has_role(session_user, lower(current_database()) || '_admins', 'MEMBER')
     AND NEW.cancelstatus IS DISTINCT FROM 'CANCEL' THEN
    RAISE EXCEPTION 'Only an administrator may change a saved slip or take its cancel back.' USING ERRCODE = '42501';
  END IF;
  RETURN NEW;
END)sql";

const char* const slipLineBody = R"sql(BEGIN
  IF NOT pg_has_role(session_user, lower(current_database()) || '_admins', 'MEMBER')
     AND NOT EXISTS (SELECT 1 FROM wardbook_private.new_slips
                     WHERE row_no = NEW.row_no AND xact = pg_current_xact_id()) THEN
    RAISE EXCEPTION 'Only an administrator may change the lines of a saved slip.' USING ERRCODE = '42501';
  END IF;
  RETURN NEW;
END)sql";

void trigger(Connection& con, const QString& name, const QString& when, const QString& table,
             const QString& level, const QString& function) {
    con.Execute(QStringLiteral(
                    "CREATE OR REPLACE TRIGGER %1 %2 ON public.%3 FOR EACH %4 EXECUTE FUNCTION public.%5()")
                    .arg(name, when, table, level, function));
}

} // namespace

void installMenuRights(Connection& con) {
    const QString catalogue = con.info().database;
    const QString keeper = keeperRole(catalogue);
    // The slips made by the running transactions: the keeper's alone, out of the users' sight.
    if (!con.scalar(QStringLiteral("select 1 from pg_namespace where nspname = 'wardbook_private'"))
             .isValid())
        con.Execute(QStringLiteral("CREATE SCHEMA wardbook_private"));
    runQuoted(con, QStringLiteral("ALTER SCHEMA wardbook_private OWNER TO %I"), {keeper});
    con.Execute(QStringLiteral("REVOKE ALL ON SCHEMA wardbook_private FROM PUBLIC"));
    if (!con.scalar(QStringLiteral("select 1 where to_regclass('wardbook_private.new_slips') is not null"))
             .isValid())
        con.Execute(QStringLiteral(
            "CREATE TABLE wardbook_private.new_slips (row_no integer NOT NULL, xact xid8 NOT NULL)"));
    runQuoted(con, QStringLiteral("ALTER TABLE wardbook_private.new_slips OWNER TO %I"), {keeper});

    installFunction(con, QStringLiteral("wardbook_follow_menu_rights()"), QStringLiteral("void"),
                    QString::fromLatin1(followBody).arg(mapRows()), true, usersRole(catalogue));
    installFunction(con, QStringLiteral("wardbook_menu_rights_changed()"), QStringLiteral("trigger"),
                    QString::fromLatin1(changedBody), false, {});
    installFunction(con, QStringLiteral("wardbook_slip_added()"), QStringLiteral("trigger"),
                    QString::fromLatin1(slipAddedBody), true, {});
    installFunction(con, QStringLiteral("wardbook_slip_kept()"), QStringLiteral("trigger"),
                    QString::fromLatin1(slipKeptBody), false, {});
    installFunction(con, QStringLiteral("wardbook_slip_line_added()"), QStringLiteral("trigger"),
                    QString::fromLatin1(slipLineBody), true, {});

    const QString change = QStringLiteral("AFTER INSERT OR UPDATE OR DELETE OR TRUNCATE");
    for (const char* table : {"user_information", "chart_of_menus"})
        trigger(con, QStringLiteral("wardbook_follow_menu_rights"), change, QString::fromLatin1(table),
                QStringLiteral("STATEMENT"), QStringLiteral("wardbook_menu_rights_changed"));
    trigger(con, QStringLiteral("wardbook_slip_added"), QStringLiteral("AFTER INSERT"),
            QStringLiteral("slips_master"), QStringLiteral("ROW"), QStringLiteral("wardbook_slip_added"));
    trigger(con, QStringLiteral("wardbook_slip_kept"), QStringLiteral("BEFORE UPDATE"),
            QStringLiteral("slips_master"), QStringLiteral("ROW"), QStringLiteral("wardbook_slip_kept"));
    trigger(con, QStringLiteral("wardbook_slip_line_added"), QStringLiteral("BEFORE INSERT"),
            QStringLiteral("slip_detail"), QStringLiteral("ROW"), QStringLiteral("wardbook_slip_line_added"));
}

void followMenuRights(Connection& con) {
    con.scalar(QStringLiteral("select public.wardbook_follow_menu_rights()"));
}

} // namespace wb::ServerRights
