#include "platform/desktop.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QEvent>
#include <QEventLoop>
#include <QFile>
#include <QLabel>
#include <QMessageBox>
#include <QPixmap>
#include <QTimer>
#include <QUrl>
#include <functional>

#include "platform/textcodec.h"

namespace kestrix {

Answer QtMessageBoxes::message(const std::string& text, Buttons buttons) {
    const auto choice = buttons == Buttons::okcancel
                            ? QMessageBox::Ok | QMessageBox::Cancel
                            : QMessageBox::StandardButtons(QMessageBox::Ok);
    QMessageBox box(QMessageBox::NoIcon, QCoreApplication::applicationName(), shown(text), choice,
                    parent_);
    return box.exec() == QMessageBox::Ok ? Answer::ok : Answer::cancel;
}

void QtEvents::doevents() {
    QCoreApplication::processEvents();
}

void QtEvents::waitforevents(int ms) {
    // The timer only bounds the wait; any other event ends it sooner.
    QTimer bound;
    bound.setSingleShot(true);
    bound.start(ms);
    QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
}

void QtEvents::sleep(int ms) {
    if (ms <= 0) return;
    QEventLoop loop;
    QTimer::singleShot(ms, Qt::PreciseTimer, &loop, &QEventLoop::quit);
    loop.exec();
}

namespace {

// Draws the picture box anew whenever it changes size.
class Redraw : public QObject {
  public:
    Redraw(QObject* parent, std::function<void()> draw) : QObject(parent), draw_(std::move(draw)) {}
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Resize) draw_();
        return false;
    }

  private:
    std::function<void()> draw_;
};

} // namespace

PictureBox::PictureBox(QLabel* label) : label_(label) {
    label_->installEventFilter(new Redraw(label_, [this] { draw(); }));
}

void PictureBox::clear() {
    image_ = QImage();
    label_->clear();
}

void PictureBox::show(const std::string& bytes) {
    const QByteArray data(bytes.data(), static_cast<qsizetype>(bytes.size()));
    image_ = QImage::fromData(data);
    draw();
}

void PictureBox::draw() {
    if (image_.isNull()) {
        label_->clear();
        return;
    }
    const qreal ratio = label_->devicePixelRatioF();
    QSize size = image_.size(); // in the screen's independent pixels
    if (size.width() > label_->width() || size.height() > label_->height()) {
        size.scale(label_->size(), Qt::KeepAspectRatio);
    }
    QPixmap picture = QPixmap::fromImage(
        image_.scaled(size * ratio, Qt::KeepAspectRatio, Qt::SmoothTransformation));
    picture.setDevicePixelRatio(ratio);
    label_->setPixmap(picture);
}

void DesktopOpener::open(const std::string& target) {
    if (target.empty()) return;
    const QByteArray bytes(target.data(), static_cast<qsizetype>(target.size()));
    QUrl url;
    if (bytes.startsWith("http://") || bytes.startsWith("https://")) {
        url = QUrl::fromEncoded(bytes, QUrl::TolerantMode);
    } else {
        url = QUrl::fromLocalFile(QFile::decodeName(bytes));
    }
    QDesktopServices::openUrl(url);
}

} // namespace kestrix
