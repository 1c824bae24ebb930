#pragma once

#include <QString>
#include <functional>

namespace wb::ui {

// Styles and answers of the message-box service.
enum MsgStyle {
    vbOKOnly = 0,
    vbYesNo = 4,
    vbCritical = 16,
    vbQuestion = 32,
    vbExclamation = 48,
    vbInformation = 64
};
enum MsgAnswer { vbOK = 1, vbCancel = 2, vbYes = 6, vbNo = 7 };

struct MsgRecord {
    QString text;
    int style = 0;
    QString title; // as shown: the application title when none was given
    // A database transaction was open while the box waited for the user: its locks were held for
    // as long as the user took to answer. The program never does this; tests fail on it.
    bool transactionOpen = false;
};

// The application title shown when a message gives none.
QString appTitle();

// Shows a message and waits for the answer (vbOK, vbYes or vbNo).
int MsgBox(const QString& text, int style = vbOKOnly, const QString& title = {});

// Replaces the dialog by a responder (tests); an empty function restores the dialog.
void setMsgResponder(std::function<int(const MsgRecord&)> responder);

} // namespace wb::ui
