#include "frm_Designed.h"

#include "ui/guard.h"
#include "ui_frm_Designed.h"

frm_Designed::frm_Designed() : ui_(std::make_unique<Ui::frm_Designed>()) {
    ui_->setupUi(this);
    connect(ui_->cmdExit, &QPushButton::clicked, this, wb::ui::handler([this] { cmdExit_Click(); }));
}

frm_Designed::~frm_Designed() = default;

void frm_Designed::Form_Load() {
    Show();
    setWidthTw(12885);
    setHeightTw(10035);
    setTopTw(0);
    setLeftTw(1300);
}

void frm_Designed::cmdExit_Click() {
    unload();
}
