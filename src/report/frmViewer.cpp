#include "frmViewer.h"

#include "reportviewer.h"
#include "ui_frmViewer.h"

#include <QResizeEvent>

frmViewer::frmViewer() : wb::ui::Form(nullptr), ui(std::make_unique<Ui::frmViewer>()) {
    ui->setupUi(this);
    CRViewer91 = ui->CRViewer91;
    setWindowTitle(QString());
}

frmViewer::~frmViewer() = default;

void frmViewer::Form_Load() {
    Form_Resize();
}

void frmViewer::Form_Resize() {
    CRViewer91->setGeometry(0, 0, width(), height());
}

void frmViewer::resizeEvent(QResizeEvent* event) {
    wb::ui::Form::resizeEvent(event);
    Form_Resize();
}
