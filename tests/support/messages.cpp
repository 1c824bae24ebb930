#include "messages.h"

#include <gtest/gtest.h>

namespace wbtest {

ScriptedMessages::ScriptedMessages() {
    wb::ui::setMsgResponder([this](const wb::ui::MsgRecord& record) {
        shown_.append(record);
        // A box that waits for the user must never hold a transaction's locks.
        EXPECT_FALSE(record.transactionOpen)
            << "message shown with a transaction open: " << record.text.toStdString();
        if (!replies_.isEmpty())
            return replies_.takeFirst();
        return (record.style & 7) == wb::ui::vbYesNo ? int(wb::ui::vbYes) : int(wb::ui::vbOK);
    });
}

ScriptedMessages::~ScriptedMessages() {
    wb::ui::setMsgResponder({});
}

const wb::ui::MsgRecord& ScriptedMessages::last() const {
    static const wb::ui::MsgRecord none;
    if (shown_.isEmpty()) {
        ADD_FAILURE() << "no message box was shown";
        return none;
    }
    return shown_.last();
}

QStringList ScriptedMessages::texts() const {
    QStringList out;
    for (const auto& r : shown_)
        out << r.text;
    return out;
}

} // namespace wbtest
