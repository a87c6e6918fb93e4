#include "dialogs/Unitabout.h"

#include <QDesktopServices>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QScreen>
#include <QSvgRenderer>
#include <QTimer>
#include <QToolButton>
#include <QUrl>

const QString TAboutForm::SupportAddress = QStringLiteral("support@skimora.app");
const QString TAboutForm::WebAddress = QStringLiteral("https://skimora.app");

namespace {

const QColor SeeThrough(34, 50, 166);

QPixmap renderPicture(QSize size) {
    QPixmap picture(size);
    picture.fill(SeeThrough);
    QPainter painter(&picture);
    QSvgRenderer(QStringLiteral(":/icons/about_box.svg")).render(&painter, QRectF(QPointF(), size));
    return picture;
}

QLabel* makeLink(const char* name, const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(QLatin1String(name));
    label->setCursor(Qt::PointingHandCursor);
    label->setStyleSheet(QStringLiteral("color: blue; text-decoration: underline;"));
    label->setAccessibleName(text);
    return label;
}

} // namespace

TAboutForm::TAboutForm(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("AboutForm"));
    setWindowTitle(QStringLiteral("About Skimora"));
    setWindowFlags(Qt::Dialog | Qt::FramelessWindowHint);
    setAttribute(Qt::WA_TranslucentBackground);
    setFixedSize(547, 282);

    // Every pixel of the background colour is see-through: the window takes the picture's shape.
    const QPixmap picture = renderPicture(size());
    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setPixmap(picture);
    Image1->setGeometry(rect());
    setMask(picture.createMaskFromColor(SeeThrough, Qt::MaskInColor));

    Label3 = new QLabel(QStringLiteral("Version 6.0"), this);
    Label3->setObjectName(QStringLiteral("Label3"));
    QFont bold = Label3->font();
    bold.setBold(true);
    bold.setPixelSize(16);
    Label3->setFont(bold);
    Label3->setGeometry(32, 104, 288, 20);
    Label2 = new QLabel(QStringLiteral("Тренажёр быстрого чтения"), this);
    Label2->setObjectName(QStringLiteral("Label2"));
    Label2->setGeometry(32, 132, 288, 18);
    Label6 = new QLabel(QStringLiteral("© Команда Skimora, 2026"), this);
    Label6->setObjectName(QStringLiteral("Label6"));
    Label6->setGeometry(32, 152, 288, 18);
    Label4 = makeLink("Label4", SupportAddress, this);
    Label4->setGeometry(32, 218, 300, 18);
    Label5 = makeLink("Label5", WebAddress + QStringLiteral("/ru"), this);
    Label5->setGeometry(32, 240, 300, 18);
    Label4->installEventFilter(this);
    Label5->installEventFilter(this);

    SpeedButton1 = new QToolButton(this);
    SpeedButton1->setObjectName(QStringLiteral("SpeedButton1"));
    SpeedButton1->setAutoRaise(true);
    SpeedButton1->setIcon(QIcon(QStringLiteral(":/icons/close.svg")));
    SpeedButton1->setIconSize(QSize(24, 24));
    SpeedButton1->setGeometry(488, 240, 50, 35);
    SpeedButton1->setToolTip(QStringLiteral("Закрыть"));
    SpeedButton1->setAccessibleName(QStringLiteral("Закрыть"));
    SpeedButton1->hide();
    connect(SpeedButton1, &QToolButton::clicked, this, &QDialog::accept);

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(2000);
    Timer1->setSingleShot(true);
    connect(Timer1, &QTimer::timeout, this, &TAboutForm::Timer1Timer);
}

void TAboutForm::showAsSplash() {
    SpeedButton1->hide();
    Timer1->start();
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->geometry().center() - rect().center());
    exec();
}

void TAboutForm::showAsAbout() {
    Timer1->stop();
    SpeedButton1->show();
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->geometry().center() - rect().center());
    exec();
}

void TAboutForm::Timer1Timer() {
    Timer1->stop();
    accept();
}

void TAboutForm::keyPressEvent(QKeyEvent* event) {
    const int key = event->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Escape) {
        if (SpeedButton1->isVisible())
            accept();
        return; // in splash mode keys do nothing
    }
    QDialog::keyPressEvent(event);
}

bool TAboutForm::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonRelease) {
        if (watched == Label4) {
            Label4Click();
            return true;
        }
        if (watched == Label5) {
            Label5Click();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void TAboutForm::Label4Click() {
    QDesktopServices::openUrl(
        QUrl(QStringLiteral("mailto:") + SupportAddress + QStringLiteral("?subject=Skimora [ru]")));
}

void TAboutForm::Label5Click() {
    QDesktopServices::openUrl(QUrl(WebAddress + QStringLiteral("/ru")));
}
