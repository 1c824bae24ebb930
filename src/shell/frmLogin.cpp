#include "frmLogin.h"

#include "MDIForm1.h"
#include "data/loginstore.h"
#include "data/loginstore_pg.h"
#include "module1.h"
#include "ui/guard.h"
#include "ui/keyfilters.h"
#include "ui/msgbox.h"
#include "ui_frmLogin.h"

#include <QApplication>
#include <QPixmap>

using namespace wb;

frmLogin::frmLogin() : ui_(std::make_unique<Ui::frmLogin>()) {
    ui_->setupUi(this);
    connect(ui_->cmdLogIn, &QPushButton::clicked, this, [this] { cmdLogIn_Click(); });
    connect(ui_->cmdCancel, &QPushButton::clicked, this, [this] { cmdCancel_Click(); });
    ui::keys::onEnter(ui_->cboUsers, [this] { ui_->txtPassword->setFocus(); });
    ui::keys::onEnter(ui_->txtPassword, [this] { cmdLogIn_Click(); });
}

frmLogin::~frmLogin() = default;

QString& frmLogin::serverFolder() {
    static QString folder;
    return folder;
}

void frmLogin::Form_Load() {
    if (Module1::Con->State() == Connection::adStateOpen)
        Module1::Con->Close();
    const QString folder = serverFolder().isEmpty() ? QCoreApplication::applicationDirPath() : serverFolder();
    const QPixmap logo(QCoreApplication::applicationDirPath() + QStringLiteral("/tevo.png"));
    if (!logo.isNull())
        ui_->flashTevoLogo->setPixmap(logo);
    // The server file first: it says where the logins are listed from. A failure is reported and
    // the window stays usable (the name may still be typed).
    ui::guarded([&] {
        config_ = readServerFile(folder + QStringLiteral("/Server.txt"));
        ui_->txtServer->setText(config_.server);
        fillUsers();
    });
}

void frmLogin::fillUsers() {
    Connection lister;
    if (config_.embedded()) {
        ConnectInfo info = config_.connectInfo(QString(), QString());
        info.purpose = Purpose::ListUsers; // may read the logins' names, nothing more
        lister.Open(info);
    } else {
        if (config_.listerPassword.isEmpty())
            return; // no account to list with: the user types the login name
        lister.Open(
            config_.connectInfo(PostgresLoginStore::listerRole(catalogueName()), config_.listerPassword));
    }
    const QStringList users = lister.logins().list();
    for (const QString& name : users)
        ui_->cboUsers->addItem(name);
    if (ui_->cboUsers->count() > 0)
        ui_->cboUsers->setCurrentIndex(0);
}

void frmLogin::cmdLogIn_Click() {
    try {
        if (Module1::Con->State() == Connection::adStateOpen)
            Module1::Con->Close();
        config_.server = ui_->txtServer->text();
        if (ui_->cboUsers->currentText().trimmed().isEmpty())
            throw DbError(QStringLiteral("Please enter a user name to log in."), DbError::Kind::Login);
        Module1::Con->Open(config_.connectInfo(ui_->cboUsers->currentText(), ui_->txtPassword->text()));
        Module1::LoginUserName = ui_->cboUsers->currentText();
        const QString name = QString(ui_->cboUsers->currentText()).remove(QLatin1Char(' '));
        Module1::OpenRs(QStringLiteral("Select row_no,Status From User_Information Where "
                                       "upper(Replace(User_Name,' ','')) = upper(%1)")
                            .arg(Module1::Con->dialect().textParam()),
                        {name});
        if (Module1::Rs->RecordCount() >= 1) {
            Module1::Rs->MoveFirst();
            Module1::UserType = Module1::Rs->text(QStringLiteral("status"));
            Module1::UserRowNo =
                static_cast<long>(Module1::Rs->Fields(QStringLiteral("row_no")).toLongLong());
        }
        ui::Forms::get<MDIForm1>().Show();
        unload();
    } catch (const std::exception& e) {
        const auto* db = dynamic_cast<const DbError*>(&e);
        ui::MsgBox(db ? db->text() : QString::fromUtf8(e.what()), ui::vbCritical,
                   QStringLiteral("Login Error"));
        ui_->txtPassword->setFocus();
        ui_->txtPassword->setSelection(0, static_cast<int>(ui_->txtPassword->text().size()));
    }
}

void frmLogin::cmdCancel_Click() {
    ui::Forms::unloadAll();
    QApplication::quit();
}
