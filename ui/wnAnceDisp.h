#pragma once
// The base of borderless windows that live inside another window (the reading window): no
// frame, the reading font "宋体" at 12 px, 251 x 144 until its host lays it out.

#include <QFont>
#include <QWidget>

namespace orvane {

class TfmAnceDisp : public QWidget {
    Q_OBJECT
public:
    explicit TfmAnceDisp(QWidget* parent = nullptr, Qt::WindowFlags flags = {})
        : QWidget(parent, flags | Qt::FramelessWindowHint) {
        QFont font(QStringLiteral("宋体"));
        font.setPixelSize(12);
        setFont(font);
        resize(251, 144);
    }
};

} // namespace orvane
