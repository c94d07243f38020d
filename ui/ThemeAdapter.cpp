#include "ThemeAdapter.h"

namespace orvane {

void TAnceThemeAdapter::BeginEdit() {
    editing_ = true;
}
void TAnceThemeAdapter::EndEdit() {
    editing_ = false;
}
void TAnceThemeAdapter::CancelEdit() {
    editing_ = false;
}

TColorThemeAdapter::TColorThemeAdapter() : saved_(Defaults()), current_(Defaults()) {}

TColorThemeAdapter::Colors TColorThemeAdapter::Defaults() {
    return {QColor(88, 194, 255), QColor(226, 242, 255), QColor(245, 245, 245)};
}

void TColorThemeAdapter::BeginEdit() {
    if (!Editing()) saved_ = current_;
    TAnceThemeAdapter::BeginEdit();
}

void TColorThemeAdapter::EndEdit() {
    TAnceThemeAdapter::EndEdit();
}

void TColorThemeAdapter::CancelEdit() {
    if (Editing()) current_ = saved_;
    TAnceThemeAdapter::CancelEdit();
}

void TColorThemeAdapter::Reset() {
    current_ = Defaults();
}

QColor TColorThemeAdapter::Color(int index) const {
    if (index < 1 || index > kColorCount) return {};
    return current_[static_cast<size_t>(index - 1)];
}

void TColorThemeAdapter::SetColor(int index, const QColor& color) {
    if (index < 1 || index > kColorCount) return;
    current_[static_cast<size_t>(index - 1)] = color;
}

TColorThemeAdapter& ThemeColors() {
    static TColorThemeAdapter colors;
    return colors;
}

} // namespace orvane
