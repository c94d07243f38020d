#include "Preview.h"

#include <QFont>
#include <QPainter>
#include <QTransform>

namespace skinpaint {

namespace {

// The colours the reader pairs with each picture (face, tool-bar menu text, hot menu text and the
// tab strip's eight slots).
struct ReaderColours {
    QColor face, menuText, hotText;
    QColor tab[8];
};

ReaderColours ColoursOf(int skin) {
    ReaderColours c;
    const QColor red(255, 0, 0);
    switch (skin) {
    case 0:
        c.face = QColor(232, 238, 245), c.menuText = Qt::black, c.hotText = Qt::white;
        c.tab[1] = QColor(0, 150, 255), c.tab[2] = QColor(201, 213, 228);
        c.tab[4] = QColor(200, 235, 255), c.tab[5] = Qt::black, c.tab[6] = QColor(0, 150, 255);
        break;
    case 1:
        c.face = QColor(255, 240, 225), c.menuText = QColor(255, 251, 240);
        c.hotText = QColor(255, 255, 0);
        c.tab[1] = QColor(255, 150, 0), c.tab[2] = Qt::white;
        c.tab[4] = QColor(255, 220, 185), c.tab[5] = Qt::black, c.tab[6] = QColor(255, 150, 0);
        break;
    default:
        c.face = Qt::white, c.menuText = Qt::white, c.hotText = QColor(0, 128, 128);
        c.tab[1] = QColor(204, 0, 0), c.tab[2] = QColor(90, 99, 124);
        c.tab[4] = Qt::black, c.tab[5] = QColor(255, 251, 240), c.tab[6] = Qt::black;
        break;
    }
    c.tab[0] = c.hotText;
    c.tab[7] = red;
    return c;
}

void DrawKeyed(QPainter& p, const QRect& target, const QImage& image, const QRect& source) {
    QImage piece = image.copy(source).convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < piece.height(); ++y)
        for (int x = 0; x < piece.width(); ++x)
            if ((piece.pixel(x, y) & 0xFFFFFF) == 0xFF00FF) piece.setPixel(x, y, 0);
    p.drawImage(target, piece);
}

void DrawKeyed(QPainter& p, QPoint at, const QImage& image, const QRect& source) {
    DrawKeyed(p, QRect(at, source.size()), image, source);
}

// A highlight in three slices: keyed ends, stretched middle.
void DrawHighlight(QPainter& p, const QRect& r, const QImage& hot) {
    DrawKeyed(p, QRect(r.left(), r.top(), 8, r.height()), hot, QRect(0, 0, 8, hot.height()));
    p.drawImage(QRect(r.left() + 8, r.top(), r.width() - 16, r.height()), hot,
                QRect(8, 0, 8, hot.height()));
    DrawKeyed(p, QRect(r.right() - 7, r.top(), 8, r.height()), hot, QRect(16, 0, 8, hot.height()));
}

void DashedFrame(QPainter& p, const QRect& r, const QColor& c) {
    p.setPen(c);
    for (int x = r.left(); x <= r.right(); x += 6) {
        p.drawLine(x, r.top(), std::min(x + 2, r.right()), r.top());
        p.drawLine(x, r.bottom(), std::min(x + 2, r.right()), r.bottom());
    }
    for (int y = r.top(); y <= r.bottom(); y += 6) {
        p.drawLine(r.left(), y, r.left(), std::min(y + 2, r.bottom()));
        p.drawLine(r.right(), y, r.right(), std::min(y + 2, r.bottom()));
    }
}

QImage MockWindow(const QImage& skin, const ReaderColours& rc, const QImage& icon, bool hover) {
    constexpr int W = 520, Ht = 330, H = 27, T = 21, B = 18, L = 19;
    QImage win(W, Ht, QImage::Format_RGB32);
    QPainter p(&win);
    p.fillRect(win.rect(), QBrush(skin.copy(69, 0, 26, 26)));
    QFont font(QStringLiteral("AR PL UMing CN"));
    font.setPixelSize(12);
    p.setFont(font);
    const QColor accent = skin.pixelColor(111 + 12, 6 + 12);

    // Client frame, as the form paints it under its panels.
    const QImage frame = skin.copy(96, 24, 30, 36);
    const int y0 = H - 2 + T + 1;
    DrawKeyed(p, QPoint(L, y0), frame, QRect(0, 0, 8, 8));
    DrawKeyed(p, QPoint(W - 8, y0), frame, QRect(22, 0, 8, 8));
    p.drawImage(QRect(5, y0, W - 13, 3), frame, QRect(8, 0, 8, 3));
    DrawKeyed(p, QPoint(L, Ht - B - 8), frame, QRect(0, 28, 8, 8));
    DrawKeyed(p, QPoint(W - 8, Ht - B - 8), frame, QRect(22, 28, 8, 8));
    p.drawImage(QRect(L, H + 6, 3, Ht - H - 14), frame, QRect(0, 8, 3, 8));
    p.drawImage(QRect(W - 3, H + 6, 3, Ht - H - 14), frame, QRect(27, 8, 3, 8));
    p.drawImage(QRect(5, Ht - B - 3, W - 13, 3), frame, QRect(8, 33, 8, 3));

    // Title bar.
    p.drawImage(QRect(0, 0, W, H), skin, QRect(126, 33, 8, 27));
    const int closeLeft = W - 28, maxLeft = closeLeft - 20, minLeft = maxLeft - 20;
    p.drawImage(QPoint(minLeft - 5, 1), skin, QRect(0, 0, 68, 26));
    const int lefts[3] = {minLeft, maxLeft, closeLeft};
    const int glyphs[3] = {0, 1, 2};
    for (int i = 0; i < 3; ++i) {
        const bool lit = hover ? i == 2 : i == 1;
        DrawKeyed(p, QPoint(lefts[i] + 2, 3 + 2), skin,
                  QRect(16 * glyphs[i], lit ? 43 : 26, 16, 17));
    }
    p.drawImage(QPoint(6, 4), icon);
    const QString caption = QStringLiteral("澜晔圣经阅读器 - 创世记 1");
    p.setPen(QColor(128, 128, 128));
    p.drawText(QRect(25, 5, W, 20), Qt::AlignLeft | Qt::AlignTop, caption);
    p.setPen(rc.face);
    p.drawText(QRect(26, 5, W, 20), Qt::AlignLeft | Qt::AlignTop, caption);

    // Tool bar with the menu.
    QImage bar(52, 20, QImage::Format_RGB32);
    {
        QPainter q(&bar);
        q.drawImage(QRect(0, 0, 52, 20), skin, QRect(95, 0, 8, 20));
        DrawKeyed(q, QPoint(2, 3), skin, QRect(136, 6, 6, 14));
        q.drawImage(QPoint(28, 0), skin, QRect(111, 6, 24, 20));
    }
    p.drawImage(QPoint(0, H), bar, QRect(0, 0, 12, 20));
    const QImage coolBack = bar.copy(12, 0, 16, 20);
    for (int x = 12; x < W; x += 16)
        p.drawImage(QPoint(x, H), coolBack);
    const QImage hot = bar.copy(28, 0, 24, 18);
    int x = 16;
    const QString menus[] = {QStringLiteral("文件"), QStringLiteral("编辑"), QStringLiteral("视图"),
                             QStringLiteral("帮助")};
    for (int i = 0; i < 4; ++i) {
        const int w = p.fontMetrics().horizontalAdvance(menus[i]) + 12;
        const bool lit = i == 2;
        if (lit) DrawHighlight(p, QRect(x, H, w, 20), hot);
        p.setPen(lit ? rc.hotText : rc.menuText);
        p.drawText(QPoint(x + 6, H + 4 + p.fontMetrics().ascent()), menus[i]);
        x += w;
    }

    // Tab strip down the left side.
    const int top = H + 20, bottom = Ht - B;
    p.fillRect(QRect(0, top, L, bottom - top), rc.tab[4]);
    const QImage tabPicture =
        skin.copy(111 + 2, 6 + 2, 20, 14).scaled(L, 14).transformed(QTransform().rotate(90));
    p.fillRect(QRect(0, top + 40, L, 50), rc.tab[2]);
    p.drawImage(QRect(0, top + 19, L, 20), tabPicture, QRect(0, 0, L, 19));
    p.drawImage(QRect(0, top + 19, L, 70), tabPicture);
    p.fillRect(QRect(0, top + 108, L, 60), rc.tab[2]);
    p.setPen(rc.tab[0]);
    p.drawText(QRect(2, top + 34, L - 2, 50), Qt::AlignHCenter | Qt::TextWordWrap,
               QStringLiteral("旧 约"));
    p.setPen(rc.tab[5]);
    p.drawText(QRect(2, top + 120, L - 2, 50), Qt::AlignHCenter | Qt::TextWordWrap,
               QStringLiteral("新 约"));
    p.setPen(rc.tab[6]);
    p.drawRect(QRect(0, top, L - 1, bottom - top - 1));

    // Chapter grid: header, two verses, a splitter each way.
    const int gx = L + 12, gy = top + 12, c0 = 52, c1 = 250;
    const QImage cell = skin.copy(103, 0, 8, 24);
    const QImage small = skin.copy(103, 8, 8, 16);
    for (int cx = gx; cx < gx + c0 + c1; cx += 8)
        p.drawImage(QPoint(cx, gy), cell, QRect(0, 0, std::min(8, gx + c0 + c1 - cx), 24));
    p.setPen(accent);
    p.drawLine(gx + c0 - 1, gy, gx + c0 - 1, gy + 23);
    p.drawLine(gx, gy + 23, gx + c0 - 1, gy + 23);
    QFont bold = font;
    bold.setBold(true);
    bold.setPixelSize(13);
    p.setFont(bold);
    p.drawText(QRect(gx, gy + 4, c0, 20), Qt::AlignHCenter | Qt::AlignTop, QStringLiteral("创"));
    p.setFont(font);
    p.setPen(Qt::black);
    p.drawText(QRect(gx + c0, gy + 4, c1, 20), Qt::AlignHCenter | Qt::AlignTop,
               QStringLiteral("dadev"));
    const int rowsH[2] = {48, 72};
    int ry = gy + 24;
    for (int r = 0; r < 2; ++r) {
        p.drawImage(QRect(gx, ry, c0, rowsH[r]), small);
        p.fillRect(QRect(gx + c0, ry, c1, rowsH[r]), rc.face);
        p.setPen(Qt::black);
        p.drawText(QPoint(gx + 4, ry + 4 + p.fontMetrics().ascent()),
                   QStringLiteral("1:%1").arg(r + 1));
        for (int line = 0; line * 24 < rowsH[r]; ++line)
            p.drawText(QPoint(gx + c0 + 4, ry + 6 + line * 24 + p.fontMetrics().ascent()),
                       QStringLiteral("起初，神创造天地。地是空虚混沌"));
        ry += rowsH[r];
    }
    DashedFrame(p, QRect(gx + c0, gy + 24 + 48, c1 - 1, 71), accent);
    const QImage gripV = skin.copy(136, 0, 6, 25);
    p.fillRect(QRect(gx + c0 + c1, gy, 4, ry - gy), rc.face);
    p.save();
    p.setClipRect(QRect(gx + c0 + c1, gy, 4, ry - gy));
    DrawKeyed(p, QPoint(gx + c0 + c1 - 1, gy + (ry - gy) / 2 - 8), gripV, gripV.rect());
    p.restore();
    p.fillRect(QRect(gx, ry, c0 + c1, 4), rc.face);
    p.save();
    p.setClipRect(QRect(gx, ry, c0 + c1, 4));
    DrawKeyed(p, QPoint(gx + (c0 + c1) / 2 - 8, ry - 1), skin, QRect(111, 0, 25, 7));
    p.restore();

    // A drop-down menu with a checked and a selected item.
    const int mx = W - 168, my = H + 20, mw = 150;
    const QString items[] = {QStringLiteral("系统皮肤"), QStringLiteral("绿如蓝"),
                             QStringLiteral("-"), QStringLiteral("红胜火"),
                             QStringLiteral("灰色调")};
    int iy = my + 2;
    p.fillRect(QRect(mx, my, mw, 4 + 22 * 4 + 9), QColor(243, 242, 240));
    for (int i = 0; i < 5; ++i) {
        const int ih = items[i] == QStringLiteral("-") ? 9 : 22;
        const QRect r(mx + 2, iy, mw - 4, ih);
        p.fillRect(QRect(r.left(), r.top(), 25 - 2, ih), rc.face);
        if (ih == 9) {
            const int m = r.top() + ih / 2;
            p.setPen(QColor(175, 183, 207));
            p.drawLine(r.left() + 30, m - 1, r.right(), m - 1);
            p.setPen(Qt::white);
            p.drawLine(r.left() + 30, m, r.right(), m);
        } else {
            if (i == 3) DrawHighlight(p, r, skin.copy(111, 6, 24, 18));
            if (i == 1) {
                p.setPen(accent);
                p.drawText(QPoint(r.left() + 8, r.top() + 4 + p.fontMetrics().ascent()),
                           QStringLiteral("√"));
            }
            p.setPen(i == 3 ? rc.hotText : QColor(Qt::black));
            p.drawText(QRect(r.left() + 35, r.top(), r.width(), ih), Qt::AlignVCenter, items[i]);
        }
        iy += ih;
    }
    p.setPen(QColor(150, 150, 150));
    p.drawRect(QRect(mx, my, mw - 1, 4 + 22 * 4 + 9 - 1));

    // Status bar.
    p.fillRect(QRect(0, Ht - B, W, B), rc.face);
    p.setPen(Qt::black);
    p.drawText(QRect(6, Ht - B + 3, W, B), Qt::AlignLeft | Qt::AlignTop,
               QStringLiteral("> 每日金句：神爱世人"));
    p.end();
    return win;
}

QImage Zoom(const QImage& image, int factor) {
    return image.scaled(image.width() * factor, image.height() * factor, Qt::IgnoreAspectRatio,
                        Qt::FastTransformation);
}

} // namespace

void WritePreviews(const QString& prefix, const QImage skins[3], const QImage icons[4]) {
    {
        constexpr int z = 4;
        QImage sheet(142 * z + 16, (60 * z + 8) * 3 + 8, QImage::Format_RGB32);
        sheet.fill(QColor(96, 96, 96));
        QPainter p(&sheet);
        for (int i = 0; i < 3; ++i)
            p.drawImage(QPoint(8, 8 + i * (60 * z + 8)), Zoom(skins[i], z));
        p.end();
        sheet.save(prefix + QStringLiteral("-pictures.png"));
    }
    {
        constexpr int z = 8;
        QImage sheet(47 * z * 3 + 32, 60 * z + 16, QImage::Format_RGB32);
        sheet.fill(QColor(96, 96, 96));
        QPainter p(&sheet);
        for (int i = 0; i < 3; ++i)
            p.drawImage(QPoint(8 + i * (47 * z + 8), 8), Zoom(skins[i].copy(95, 0, 47, 60), z));
        p.end();
        sheet.save(prefix + QStringLiteral("-detail.png"));
    }
    {
        // Three by three tiles of each texture, to catch seams.
        constexpr int z = 3;
        QImage sheet(78 * z * 3 + 32, 78 * z + 16, QImage::Format_RGB32);
        sheet.fill(QColor(96, 96, 96));
        QPainter p(&sheet);
        for (int i = 0; i < 3; ++i) {
            QImage tiles(78, 78, QImage::Format_RGB32);
            QPainter t(&tiles);
            t.fillRect(tiles.rect(), QBrush(skins[i].copy(69, 0, 26, 26)));
            t.end();
            p.drawImage(QPoint(8 + i * (78 * z + 8), 8), Zoom(tiles, z));
        }
        p.end();
        sheet.save(prefix + QStringLiteral("-texture.png"));
    }
    for (int i = 0; i < 3; ++i) {
        const QImage win = MockWindow(skins[i], ColoursOf(i), icons[0], i == 1);
        win.save(prefix + QStringLiteral("-window%1.png").arg(i + 1));
        Zoom(win.copy(win.width() - 260, 0, 260, 150), 3)
            .save(prefix + QStringLiteral("-window%1-zoom.png").arg(i + 1));
    }
    {
        const QColor backs[] = {Qt::white, QColor(22, 146, 198), QColor(226, 86, 32),
                                QColor(52, 54, 60), QColor(240, 240, 240)};
        QImage sheet(5 * 300, 300 + 16 * 8 + 32 * 4 + 48 * 2 + 40, QImage::Format_RGB32);
        sheet.fill(QColor(128, 128, 128));
        QPainter p(&sheet);
        for (int b = 0; b < 5; ++b) {
            const int x = b * 300;
            p.fillRect(QRect(x, 0, 300, sheet.height()), backs[b]);
            p.drawImage(QPoint(x + 20, 20), icons[0]);
            p.drawImage(QPoint(x + 50, 20), icons[1]);
            p.drawImage(QPoint(x + 100, 20), icons[2]);
            p.drawImage(QPoint(x + 10, 80), Zoom(icons[0], 8));
            p.drawImage(QPoint(x + 150, 80), Zoom(icons[1], 4));
        }
        p.drawImage(QPoint(10, 300), icons[3]);
        p.end();
        sheet.save(prefix + QStringLiteral("-icons.png"));
    }
}

} // namespace skinpaint
