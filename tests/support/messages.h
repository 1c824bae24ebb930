#pragma once

#include "printers.h"
#include "ui/msgbox.h"

#include <QList>

namespace wbtest {

// Answers message boxes from a script and records every box shown (text, style, title).
// Without a scripted answer a box is answered OK, or Yes when it asks Yes/No.
class ScriptedMessages {
public:
    ScriptedMessages();
    ~ScriptedMessages();
    void answer(int reply) { replies_.append(reply); }
    const QList<wb::ui::MsgRecord>& shown() const { return shown_; }
    QStringList texts() const;
    // The last box shown; with none, a failed expectation and an empty record.
    const wb::ui::MsgRecord& last() const;
    void clear() { shown_.clear(); }

private:
    QList<int> replies_;
    QList<wb::ui::MsgRecord> shown_;
};

} // namespace wbtest
