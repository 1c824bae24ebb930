#include "frmBack.h"

#include "ui/clock.h"
#include "ui_frmBack.h"

#include <QCoreApplication>
#include <QLocale>
#include <QPixmap>
#include <QTimer>

frmBack::frmBack() : ui_(std::make_unique<Ui::frmBack>()) {
    ui_->setupUi(this);
    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(500);
    connect(Timer1, &QTimer::timeout, this, [this] { Timer1_Timer(); });
    Timer1->start();
}

frmBack::~frmBack() = default;

void frmBack::Form_Load() {
    const QPixmap logo(QCoreApplication::applicationDirPath() + QStringLiteral("/tevo.png"));
    if (!logo.isNull())
        ui_->flashTevoLogo->setPixmap(logo);
}

QString frmBack::dateCaption(const QDateTime& now) {
    const QLocale english(QLocale::English, QLocale::UnitedStates);
    const QString time = english.toString(now.time(), QStringLiteral(" hh:mm:ss AP"));
    return english.toString(now.date(), QStringLiteral("dddd, dd-MMMM-yyyy")) + QLatin1Char(' ') + time;
}

void frmBack::Timer1_Timer() {
    ui_->lblDate->setText(dateCaption(wb::ui::Clock::now()));
}
