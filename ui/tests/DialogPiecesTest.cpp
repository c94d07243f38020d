// The colour push button, the theme colours and the message boxes, driven as a user would.

#include "ColorButton.h"
#include "MsgBox.h"
#include "TestSupport.h"
#include "ThemeAdapter.h"

#include <QDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPainter>
#include <QVBoxLayout>
#include <QtTest>
#include <functional>

using namespace orvane;

namespace {

QImage Shot(QWidget& w, QRect area = {}) {
    const QImage image = w.grab().toImage().convertToFormat(QImage::Format_RGB32);
    return area.isNull() ? image : image.copy(area);
}

QRect InkBox(const QImage& image, QColor color) {
    QRect box;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) == color.rgb()) box |= QRect(x, y, 1, 1);
    return box;
}

// A 75 x 23 button whose caption comes out in exact colours.
void Prepare(TButton& b, const QString& text) {
    QFont font(QStringLiteral("宋体"), 9);
    font.setStyleStrategy(QFont::NoAntialias);
    b.setFont(font);
    b.setText(text);
    b.resize(75, 23);
}

QRgb Role(const QWidget& w, QPalette::ColorRole role) {
    return w.palette().color(QPalette::Active, role).rgb();
}

// What a message box looked like when a user answered it.
struct BoxSeen {
    QString title, text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QStringList buttons;
    QWidget* parent = nullptr;
};

// Waits through the event loop for the next modal message box, notes what it shows and answers
// it by clicking the button captioned `caption`, or by pressing `key` when caption is empty.
void AnswerNextBox(BoxSeen& seen, const QString& caption, Qt::Key key = Qt::Key_unknown) {
    auto* timer = new QTimer;
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, [timer, &seen, caption, key] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box || !box->isVisible()) return;
        timer->deleteLater();
        seen = {box->windowTitle(), box->text(), box->icon(), {}, box->parentWidget()};
        for (QAbstractButton* b : box->buttons())
            seen.buttons << b->text();
        seen.buttons.sort();
        if (caption.isEmpty()) orvane::test::KeyToFocus(box, key);
        for (QAbstractButton* b : box->buttons())
            if (b->text() == caption) QTest::mouseClick(b, Qt::LeftButton);
    });
    timer->start();
}

} // namespace

class DialogPiecesTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { orvane::test::PrepareFonts(); }

    void buttonIsDrawnInItsColourWithARaisedFrame() {
        TButton b;
        Prepare(b, QStringLiteral("确定"));
        QCOMPARE(b.Color(), QColor(207, 207, 207));
        QImage image = Shot(b);
        QCOMPARE(image.pixel(0, 0), Role(b, QPalette::Light));
        QCOMPARE(image.pixel(74, 22), Role(b, QPalette::Shadow));
        QCOMPARE(image.pixel(73, 21), Role(b, QPalette::Dark));
        QCOMPARE(image.pixel(4, 4), qRgb(207, 207, 207));
        const QRect caption = InkBox(image, Role(b, QPalette::ButtonText));
        QVERIFY(qAbs(caption.left() - (74 - caption.right())) <= 2);
        QVERIFY(qAbs(caption.top() - (22 - caption.bottom())) <= 2);
        b.SetColor(QColor(245, 245, 245));
        QCOMPARE(Shot(b).pixel(4, 4), qRgb(245, 245, 245));
    }

    void disabledCaptionIsEmbossed() {
        TButton b;
        Prepare(b, QStringLiteral("删除"));
        const QRect face(2, 2, 71, 19);
        const QRect enabledInk = InkBox(Shot(b, face), Role(b, QPalette::ButtonText));
        b.setEnabled(false);
        const QImage image = Shot(b, face);
        QVERIFY(InkBox(image, Role(b, QPalette::ButtonText)).isEmpty());
        // A shadow-coloured caption where the enabled one was, a light copy a pixel down-right.
        QCOMPARE(InkBox(image, Role(b, QPalette::Dark)), enabledInk);
        QCOMPARE(InkBox(image, Role(b, QPalette::Light)).bottomRight(),
                 enabledInk.bottomRight() + QPoint(1, 1));
    }

    void pressingShiftsTheContents() {
        QWidget window;
        auto* b = new TButton(&window);
        Prepare(*b, QStringLiteral("查找"));
        b->setFocusPolicy(Qt::NoFocus); // the focus outline is another test's business
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        const QRect inside(3, 3, 69, 17); // clear of frame and shift
        const QRect up = InkBox(Shot(*b, inside), Role(*b, QPalette::ButtonText));

        QSignalSpy clicks(b, &QPushButton::clicked);
        QTest::mousePress(b, Qt::LeftButton, {}, QPoint(30, 10));
        const QImage down = Shot(*b);
        QTest::mouseRelease(b, Qt::LeftButton, {}, QPoint(30, 10));
        QCOMPARE(clicks.count(), 1);
        QCOMPARE(InkBox(down.copy(inside), Role(*b, QPalette::ButtonText)), up.translated(1, 1));
        // A shadow-coloured line on the top and left instead of the raised frame.
        QCOMPARE(down.pixel(0, 0), Role(*b, QPalette::Dark));
        QCOMPARE(down.pixel(1, 1), Role(*b, QPalette::Button));
        QCOMPARE(down.pixel(2, 2), b->Color().rgb());

        // A double-click reaches a widget as press, release, double-click, release: two clicks.
        QTest::mouseClick(b, Qt::LeftButton);
        QTest::mouseDClick(b, Qt::LeftButton);
        QTest::mouseRelease(b, Qt::LeftButton);
        QCOMPARE(clicks.count(), 3);
    }

    void defaultButtonFollowsTheFocus() {
        QDialog dialog;
        auto* edit = new QLineEdit(&dialog);
        auto* ok = new TButton(QStringLiteral("确定"), &dialog);
        auto* cancel = new TButton(QStringLiteral("取消"), &dialog);
        auto* layout = new QVBoxLayout(&dialog);
        for (QWidget* w : {static_cast<QWidget*>(edit), static_cast<QWidget*>(ok),
                           static_cast<QWidget*>(cancel)})
            layout->addWidget(w);
        ok->setDefault(true);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        edit->setFocus();
        const QRgb frame = Role(*ok, QPalette::WindowText);
        // Outlined as the default, but no dotted rectangle without the focus.
        QVERIFY(ok->IsFocused() && !cancel->IsFocused());
        QCOMPARE(Shot(*ok).pixel(0, 0), frame);
        QCOMPARE(Shot(*ok).pixel(4, 4), ok->Color().rgb());

        orvane::test::KeyToFocused(edit, Qt::Key_Tab);
        QVERIFY(ok->hasFocus());
        QCOMPARE(Shot(*ok).pixel(4, 4), Role(*ok, QPalette::ButtonText));
        QCOMPARE(Shot(*ok).pixel(5, 4), ok->Color().rgb());

        orvane::test::KeyToFocused(ok, Qt::Key_Tab);
        QVERIFY(cancel->IsFocused() && !ok->IsFocused());
        QVERIFY(Shot(*ok).pixel(0, 0) != frame);
        QCOMPARE(Shot(*cancel).pixel(0, 0), frame);
    }

    void drawHandlerSeesTheFaceAndState() {
        TButton b;
        Prepare(b, QString());
        QRect seenRect;
        TButton::DrawState seenState;
        b.OnDrawButton = [&](TButton&, QPainter& p, const QRect& r, TButton::DrawState s) {
            seenRect = r;
            seenState = s;
            p.fillRect(r.left(), r.top(), 3, 3, Qt::red);
        };
        QCOMPARE(Shot(b).pixel(2, 2), qRgb(255, 0, 0));
        QCOMPARE(seenRect, QRect(2, 2, 71, 19));
        b.setDown(true);
        Shot(b);
        QCOMPARE(seenRect, QRect(2, 2, 73, 21));
        QCOMPARE(seenState, TButton::DrawState(TButton::StateDown));
    }

    void buttonPictures() {
        if (!qEnvironmentVariableIsSet("ORVANE_SHOT_DIR"))
            QSKIP("set ORVANE_SHOT_DIR to write the pictures");
        QDialog dialog;
        auto* layout = new QVBoxLayout(&dialog);
        QList<TButton*> buttons;
        for (const char* caption : {"取消", "确定", "查找", "删除"}) {
            buttons << new TButton(QString::fromUtf8(caption), &dialog);
            buttons.back()->setFont(QFont(QStringLiteral("宋体"), 9));
            buttons.back()->setFixedSize(66, 22);
            buttons.back()->SetColor(ThemeColors().Color(3));
            layout->addWidget(buttons.back());
        }
        buttons[1]->setDefault(true);
        buttons[2]->setDown(true);
        buttons[3]->setEnabled(false);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        buttons[1]->setFocus();
        orvane::test::SaveShot(&dialog, QStringLiteral("buttons"));
    }

    void themeColoursRollBackOnCancel() {
        TColorThemeAdapter colors;
        QCOMPARE(colors.Color(1), QColor(88, 194, 255));
        QCOMPARE(colors.Color(3), QColor(245, 245, 245));
        QVERIFY(!colors.Color(0).isValid() && !colors.Color(4).isValid());

        colors.BeginEdit();
        colors.SetColor(3, Qt::red);
        colors.BeginEdit(); // a second begin keeps the first save point
        colors.SetColor(1, Qt::green);
        QVERIFY(colors.Editing());
        colors.CancelEdit();
        QVERIFY(!colors.Editing());
        QCOMPARE(colors.Color(3), QColor(245, 245, 245));
        QCOMPARE(colors.Color(1), QColor(88, 194, 255));

        colors.BeginEdit();
        colors.SetColor(2, Qt::blue);
        colors.EndEdit();
        colors.CancelEdit(); // nothing to roll back outside an edit
        QCOMPARE(colors.Color(2), QColor(Qt::blue));
        colors.Reset();
        QCOMPARE(colors.Color(2), QColor(226, 242, 255));
        QCOMPARE(&ThemeColors(), &ThemeColors());
    }

    void confirmIsTrueOnlyForYes() {
        QWidget owner;
        BoxSeen seen;
        AnswerNextBox(seen, QStringLiteral("否"));
        QVERIFY(!TMsgBox::Confirm(&owner, QStringLiteral("删除这条批注吗？")));
        QCOMPARE(seen.title, QStringLiteral("提示"));
        QCOMPARE(seen.text, QStringLiteral("删除这条批注吗？"));
        QCOMPARE(seen.icon, QMessageBox::Question);
        QCOMPARE(seen.buttons, QStringList({QStringLiteral("否"), QStringLiteral("是")}));
        QCOMPARE(seen.parent, &owner);

        AnswerNextBox(seen, QStringLiteral("是"));
        QVERIFY(TMsgBox::Confirm(&owner, QStringLiteral("删除这条批注吗？")));
        AnswerNextBox(seen, {}, Qt::Key_Escape);
        QVERIFY(!TMsgBox::Confirm(nullptr, QStringLiteral("放弃修改吗？")));
    }

    void infoAndErrorCarryTheirTitles() {
        BoxSeen seen;
        AnswerNextBox(seen, QStringLiteral("确定"));
        TMsgBox::Info(nullptr, QStringLiteral("没有找到。"));
        QCOMPARE(seen.title, QStringLiteral("提示"));
        QCOMPARE(seen.icon, QMessageBox::Information);
        QCOMPARE(seen.buttons, QStringList{QStringLiteral("确定")});

        AnswerNextBox(seen, {}, Qt::Key_Return);
        TMsgBox::Error(nullptr, QStringLiteral("无法打开经文。"));
        QCOMPARE(seen.title, QStringLiteral("错误"));
        QCOMPARE(seen.icon, QMessageBox::Critical);
    }
};

QTEST_MAIN(DialogPiecesTest)
#include "DialogPiecesTest.moc"
