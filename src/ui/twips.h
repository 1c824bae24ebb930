#pragma once

namespace wb::ui {

// 1440 twips per inch at the screen's logical DPI (15 per pixel at 96 DPI).
int twipsToPixels(int twips);
int pixelsToTwips(int pixels);

} // namespace wb::ui
