#include "twips.h"

#include <QGuiApplication>
#include <QScreen>
#include <QtMath>

namespace wb::ui {

namespace {

constexpr double TwipsPerInch = 1440.0;

double logicalDpi() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    const double dpi = screen ? screen->logicalDotsPerInchX() : 96.0;
    return dpi > 0 ? dpi : 96.0;
}

} // namespace

int twipsToPixels(int twips) {
    return qRound(twips * logicalDpi() / TwipsPerInch);
}

int pixelsToTwips(int pixels) {
    return qRound(pixels * TwipsPerInch / logicalDpi());
}

} // namespace wb::ui
