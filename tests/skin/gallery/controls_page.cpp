// The gallery page of the picture controls: bitmap buttons, bitmap and colour
// statics and the bitmap slider, all with pictures drawn here in code.

#include <QDir>
#include <QPainter>
#include <QTemporaryDir>
#include <array>

#include "converter/skin/bitmap_slider.h"
#include "converter/skin/bmp_button.h"
#include "converter/skin/bmp_static.h"
#include "converter/skin/color_static.h"
#include "converter/skin/image_file.h"
#include "converter/skin/skin_drawing.h"
#include "pages.h"

namespace {

constexpr QRgb kKey = 0xFFFF00FF;

// Control ids, as a dialog would number them.
constexpr int kPanelId = 2000;
constexpr int kToolbarId = 2001;
constexpr int kPlayId = 2010;
constexpr int kLoopId = 2011;
constexpr int kDisabledId = 2012;
constexpr int kRoundId = 2013;
constexpr int kSliderId = 2020;

// Four rounded frames on magenta: normal, hover, pressed, disabled. No
// antialiasing, so the outside stays exactly the key colour.
QImage ButtonStrip(int frameWidth, int height, const std::array<QColor, 4>& fills, int radius) {
    QImage strip(frameWidth * 4, height, QImage::Format_RGB32);
    strip.fill(kKey);
    QPainter painter(&strip);
    for (int frame = 0; frame < 4; ++frame) {
        const QRect area(frame * frameWidth, 0, frameWidth, height);
        painter.setPen(fills[frame].darker(160));
        painter.setBrush(fills[frame]);
        painter.drawRoundedRect(area.adjusted(0, 0, -1, -1), radius, radius);
        // A light line at the top, lower when pressed.
        painter.setPen(fills[frame].lighter(140));
        const int y = frame == 2 ? 4 : 2;
        painter.drawLine(area.left() + radius, y, area.right() - radius, y);
    }
    return strip;
}

// Round buttons: the frames differ in outline, so the clickable area changes.
QImage RoundStrip(int size) {
    QImage strip(size * 4, size, QImage::Format_RGB32);
    strip.fill(kKey);
    QPainter painter(&strip);
    const QColor fills[4] = {QColor(200, 120, 40), QColor(240, 160, 60), QColor(150, 80, 20),
                             QColor(150, 150, 150)};
    for (int frame = 0; frame < 4; ++frame) {
        painter.setPen(Qt::NoPen);
        painter.setBrush(fills[frame]);
        const int inset = frame == 2 ? 3 : 0;  // pressed looks pushed in
        painter.drawEllipse(
            QRect(frame * size, 0, size, size).adjusted(inset, inset, -inset - 1, -inset - 1));
    }
    return strip;
}

// A framed panel picture for the corner-preserving stretch: 8-pixel corners.
QImage PanelPicture(const QColor& fill, const QColor& rim) {
    QImage picture(24, 24, QImage::Format_RGB32);
    picture.fill(fill);
    QPainter painter(&picture);
    painter.setPen(rim);
    painter.drawRect(0, 0, 23, 23);
    painter.drawRect(3, 3, 17, 17);
    painter.fillRect(0, 0, 6, 6, rim);
    painter.fillRect(18, 0, 6, 6, rim);
    painter.fillRect(0, 18, 6, 6, rim);
    painter.fillRect(18, 18, 6, 6, rim);
    return picture;
}

CBmpButton::Caption WhiteCaption(const QString& text) {
    CBmpButton::Caption caption;
    caption.text = text;
    caption.fontSize = 13;
    caption.bold = true;
    caption.colors = {QColor(255, 255, 255), QColor(255, 255, 180), QColor(200, 200, 200),
                      QColor(90, 90, 90)};
    return caption;
}

CColorStatic* Label(QWidget* parent, const QString& text, QRect geometry, QColor color) {
    auto* label = new CColorStatic(parent);
    label->SetText(text);
    label->SetColor(color);
    label->setGeometry(geometry);
    return label;
}

// Shows pictures the way the skin loader gets them: written to files and read
// back with LoadImageFile; a picture with a magenta background is drawn with
// DrawTransparent next to its plain copy.
class PictureShelf : public QWidget {
public:
    explicit PictureShelf(QWidget* parent) : QWidget(parent) {
        QImage sample(40, 30, QImage::Format_RGB32);
        sample.fill(kKey);
        QPainter painter(&sample);
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor(30, 140, 90));
        painter.drawEllipse(4, 2, 32, 26);
        painter.end();
        // The files live only while they are read back.
        QTemporaryDir folder;
        if (folder.isValid()) {
            for (const char* format : {"bmp", "jpg", "ico", "png"}) {
                const QString path = folder.filePath(QStringLiteral("sample.") + format);
                sample.save(path, format);
                m_loaded.push_back({QString::fromLatin1(format).toUpper(), LoadImageFile(path)});
            }
        }
        m_keyed = CBitmapEx(sample);
        setMinimumSize(330, 80);
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        int x = 0;
        for (const auto& [name, bitmap] : m_loaded) {
            painter.setPen(Qt::white);
            painter.drawText(QRect(x, 0, 40, 14), Qt::AlignCenter, name);
            if (bitmap.IsNull())
                painter.drawText(QRect(x, 16, 40, 30), Qt::AlignCenter, QStringLiteral("none"));
            else
                DrawAt(QRect(x, 16, bitmap.Width(), bitmap.Height()), bitmap, painter);
            x += 48;
        }
        // Transparent drawing at double size over stripes.
        for (int stripe = 0; stripe < 80; stripe += 8)
            painter.fillRect(x + stripe, 0, 4, 64, QColor(230, 200, 60));
        DrawTransparent(painter, x, 4, x + 80, 64, m_keyed);
    }

private:
    std::vector<std::pair<QString, CBitmapEx>> m_loaded;
    CBitmapEx m_keyed;
};

// Tells the slider's last two notifications; the owner repaints after SetText.
class SliderNews : public CColorStatic {
public:
    explicit SliderNews(QWidget* parent) : CColorStatic(parent) {
        SetColor(QColor(230, 230, 230));
        Show();
    }
    void Dragged(int id, int position) {
        m_dragged = QStringLiteral("%1 (id %2)").arg(position).arg(id);
        Show();
    }
    void Changed(int id, int position) {
        m_changed = QStringLiteral("%1 (id %2)").arg(position).arg(id);
        Show();
    }

private:
    void Show() {
        SetText(QStringLiteral("dragging: %1   changed: %2").arg(m_dragged, m_changed));
        update();
    }
    QString m_dragged = QStringLiteral("-");
    QString m_changed = QStringLiteral("-");
};

}  // namespace

QWidget* MakeControlsPage(QWidget* parent) {
    auto* page = new QWidget(parent);
    page->setMinimumSize(660, 420);

    // The background panel, a bitmap static stretched with its corners kept.
    auto* panel = new CBmpStatic(page, kPanelId);
    panel->setGeometry(10, 10, 640, 400);
    panel->SetPicture(CBitmapEx(PanelPicture(QColor(40, 48, 64), QColor(110, 130, 170))));
    panel->SetCorners(8, 8);

    auto* title = Label(panel, QStringLiteral("Quillon Audio Converter"), QRect(32, 14, 300, 20),
                        QColor(250, 250, 250));
    title->SetFont(QStringLiteral("Verdana"), true, false, false);

    // A toolbar static inside the panel; its buttons report through both.
    auto* toolbar = new CBmpStatic(panel, kToolbarId);
    toolbar->setGeometry(20, 44, 600, 70);
    toolbar->SetPicture(CBitmapEx(PanelPicture(QColor(60, 70, 92), QColor(140, 150, 190))));
    toolbar->SetStretchValues(8, 8);
    toolbar->SetText(QStringLiteral("Toolbar (bitmap static)"));
    toolbar->SetTextLeft(440);
    toolbar->SetTextColor(QColor(200, 210, 230));

    const std::array<QColor, 4> blue = {QColor(50, 100, 180), QColor(80, 150, 230),
                                        QColor(25, 55, 115), QColor(140, 140, 140)};
    const CBitmapEx strip(ButtonStrip(100, 32, blue, 10));

    auto* play = new CBmpButton(toolbar, kPlayId);
    play->setGeometry(16, 19, 100, 32);
    play->SetPicture(strip);
    play->SetCaption(WhiteCaption(QStringLiteral("Play")));

    auto* loop = new CBmpButton(toolbar, kLoopId);
    loop->setGeometry(126, 19, 100, 32);
    loop->SetPicture(strip);
    loop->SetButtonKind(CBmpButton::kCheckButton);
    loop->SetCaption(WhiteCaption(QStringLiteral("Loop")));
    // A check button's state is its owner's to change.
    QObject::connect(loop, &CBmpButton::clicked, loop,
                     [loop] { loop->SetCheck(!loop->GetCheck()); });

    auto* disabled = new CBmpButton(toolbar, kDisabledId);
    disabled->setGeometry(236, 19, 100, 32);
    disabled->SetPicture(strip);
    disabled->SetCaption(WhiteCaption(QStringLiteral("Disabled")));
    disabled->setEnabled(false);

    auto* round = new CBmpButton(toolbar, kRoundId);
    round->setGeometry(350, 13, 44, 44);
    round->SetPicture(CBitmapEx(RoundStrip(44)));
    round->SetCaption(WhiteCaption(QStringLiteral("R")));

    // The owner repaints a colour static after changing its text.
    auto* lastCommand = Label(panel, QStringLiteral("Last command: none"), QRect(32, 124, 400, 20),
                              QColor(230, 230, 230));
    QObject::connect(
        panel, &CBmpStatic::command, lastCommand, [lastCommand, count = 0](int id) mutable {
            ++count;
            lastCommand->SetText(QStringLiteral("Last command: %1 (%2 so far)").arg(id).arg(count));
            lastCommand->update();
        });

    // The seek slider, set up as the preview pane sets it up.
    Label(panel, QStringLiteral("Seek slider"), QRect(32, 160, 200, 20), QColor(230, 230, 230));
    auto* slider = new CBitmapSlider(panel, kSliderId);
    slider->move(32, 186);
    slider->LoadChannelImages();
    slider->LoadThumbImages();
    slider->ShowFocusRect(false);
    slider->SetMargins(0, 0, 0, 0);
    slider->SetRange(0, 100);
    slider->SetPos(0);
    auto* news = new SliderNews(panel);
    news->setGeometry(310, 180, 300, 20);
    QObject::connect(slider, &CBitmapSlider::sliderDragging, news, &SliderNews::Dragged);
    QObject::connect(slider, &CBitmapSlider::sliderChanged, news, &SliderNews::Changed);

    Label(panel, QStringLiteral("Pictures read back with LoadImageFile, and DrawTransparent"),
          QRect(32, 220, 560, 20), QColor(230, 230, 230));
    auto* shelf = new PictureShelf(panel);
    shelf->setGeometry(32, 246, 400, 80);

    auto* note = new CBmpStatic(panel);
    note->setGeometry(32, 340, 576, 40);
    note->SetPicture(CBitmapEx(PanelPicture(QColor(70, 60, 40), QColor(190, 160, 90))));
    note->SetStretchValues(12, -1);  // plain scaling
    note->SetText(QStringLiteral("A bitmap static scaled plainly (stretch values 12, -1)"));
    note->SetTextLeft(12);
    note->SetTextColor(QColor(255, 240, 200));
    return page;
}
