#include "msgbox.h"

#include "data/connection.h"

#include <QApplication>
#include <QDebug>
#include <QMessageBox>

namespace wb::ui {

namespace {

std::function<int(const MsgRecord&)>& responder() {
    static std::function<int(const MsgRecord&)> current;
    return current;
}

QMessageBox::Icon iconFor(int style) {
    switch (style & 0x70) {
    case vbCritical:
        return QMessageBox::Critical;
    case vbQuestion:
        return QMessageBox::Question;
    case vbExclamation:
        return QMessageBox::Warning;
    case vbInformation:
        return QMessageBox::Information;
    default:
        return QMessageBox::NoIcon;
    }
}

constexpr int vbOKCancel = 1;
constexpr int vbYesNoCancel = 3;

QMessageBox::StandardButtons buttonsFor(int style) {
    switch (style & 7) {
    case vbOKCancel:
        return QMessageBox::Ok | QMessageBox::Cancel;
    case vbYesNoCancel:
        return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    case vbYesNo:
        return QMessageBox::Yes | QMessageBox::No;
    default:
        return QMessageBox::Ok;
    }
}

int answerFor(int button) {
    switch (button) {
    case QMessageBox::Yes:
        return vbYes;
    case QMessageBox::No:
        return vbNo;
    case QMessageBox::Cancel:
        return vbCancel;
    default:
        return vbOK;
    }
}

} // namespace

QString appTitle() {
    return QStringLiteral("Wardbook");
}

int MsgBox(const QString& text, int style, const QString& title) {
    const bool transactionOpen = transactionsOpenOnThisThread() > 0;
    const MsgRecord record{text, style, title.isEmpty() ? appTitle() : title, transactionOpen};
    if (transactionOpen)
        qWarning("A message is shown while a database transaction is open: %s", qPrintable(text));
    if (responder())
        return responder()(record);

    QMessageBox box(iconFor(style), record.title, text, buttonsFor(style), QApplication::activeWindow());
    return answerFor(box.exec());
}

void setMsgResponder(std::function<int(const MsgRecord&)> f) {
    responder() = std::move(f);
}

} // namespace wb::ui
