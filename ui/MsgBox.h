#pragma once
// The reader's message boxes. Every message to the user goes through one of these, so they all
// carry the same Chinese titles and button captions.

class QString;
class QWidget;

namespace orvane {

class TMsgBox {
public:
    TMsgBox() = delete;

    // "提示", information icon, one "确定" button.
    static void Info(QWidget* owner, const QString& text);
    // "错误", error icon, one "确定" button.
    static void Error(QWidget* owner, const QString& text);
    // "提示", question icon, "是" and "否". True only when the user chose "是"; closing the box
    // or pressing Esc counts as "否".
    static bool Confirm(QWidget* owner, const QString& text);
};

} // namespace orvane
