#include "core/windows/kana_position/kana_position_window.h"

#include <algorithm>
#include <cmath>

const QString KanaPositionWindow::kCaption = QStringLiteral("かな印字位置調整");

namespace {

const QString kDefaultFace = QStringLiteral("ＭＳ Ｐ明朝");
const QString kFontPlaceholder = QStringLiteral("フォント");

int sliderValueOf(double offset) {
    return std::clamp(static_cast<int>(std::lround(offset / KanaPositionWindow::kStep)), -10, 10);
}

}  // namespace

bool isVerticalFace(const QString& fontName) {
    return fontName.startsWith(u'@') || fontName.startsWith(u'＠');
}

KanaOffsets kanaOffsetsFor(const QString& fontName, int vertical, int horizontal) {
    const double v = KanaPositionWindow::kStep * vertical, h = KanaPositionWindow::kStep * horizontal;
    return isVerticalFace(fontName) ? KanaOffsets{v, h} : KanaOffsets{h, v};
}

KanaPositionWindow::KanaPositionWindow(WindowContext& context, KanaPositionHost& host)
    : WindowModel(WindowId::KanaPosition, context), host_(host) {
    for (SliderControl* s : {&slider1, &slider2}) {
        s->min = -10;
        s->max = 10;
        s->smallChange = 1;
        s->largeChange = 5;
    }
    slider1.vertical = true;
    label1.caption = QStringLiteral("亜");
    label1.left = kSampleLeft;
    label1.top = kSampleTop;
    label1.width = label1.height = kSampleSize;
    label1.fontName = kDefaultFace;
    command1.caption = QStringLiteral("中央");
}

void KanaPositionWindow::load() {
    const QString face = context().fontName();
    label1.fontName = face.isEmpty() || face == kFontPlaceholder ? kDefaultFace : face;
    // The sliders take the positions that give the stored offsets with this face, both set
    // before any update runs, so opening never rewrites the offsets.
    const int first = sliderValueOf(host_.kanaOffset1()), second = sliderValueOf(host_.kanaOffset2());
    slider1.value = isVerticalFace(face) ? first : second;
    slider2.value = isVerticalFace(face) ? second : first;
    label1.top = kStep * slider1.value + kSampleTop;
    label1.left = kStep * slider2.value + kSampleLeft;
}

void KanaPositionWindow::update() {
    const KanaOffsets o = kanaOffsetsFor(context().fontName(), slider1.value, slider2.value);
    host_.setKanaOffsets(o.offset1, o.offset2);
}

void KanaPositionWindow::onSlider1Changed(int value) {
    slider1.value = std::clamp(value, slider1.min, slider1.max);
    label1.top = kStep * slider1.value + kSampleTop;
    update();
}

void KanaPositionWindow::onSlider2Changed(int value) {
    slider2.value = std::clamp(value, slider2.min, slider2.max);
    label1.left = kStep * slider2.value + kSampleLeft;
    update();
}

void KanaPositionWindow::onCommand1Click() {
    onSlider1Changed(0);
    onSlider2Changed(0);
}
