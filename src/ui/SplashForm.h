#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>
#include <QWidget>

#include <cstdint>
#include <functional>
#include <optional>

class QTimer;

namespace corvane {

class TgLabel;
class TImageButton;
class TImageLabel;

// The four numbers of a file version.
struct ExeVersion {
    std::uint16_t majorPart = 0;
    std::uint16_t minorPart = 0;
    std::uint16_t releasePart = 0;
    std::uint16_t buildPart = 0;
};

// Reads "major.minor.release.build" (each 0 to 65535); nothing when the text is not one.
std::optional<ExeVersion> ReadExeVersion(const QString& versionText);
// "Version: 2.1.0.17" for a readable version, "0.0.0.0" when there is none.
QString GetVersionText(const QString& versionText);
// Sets the alpha of every pixel of the rectangle (both edges included) to alpha; the part of the
// rectangle outside the image is left alone. The image is converted to 32-bit ARGB first.
void SetAlphaRect(QImage& image, const QRect& r, int alpha);

// The splash window shown while the program starts: a frameless, always-on-top, translucent
// window showing the splash picture with its own transparency, the program's version and the
// logo. It hides itself 100 ms + 4000 ms after ShowSplash or at any key press, and stays in
// memory, hidden, until the program ends.
//   TSplashForm splash; splash.ShowSplash();
class TSplashForm : public QWidget {
    Q_OBJECT
public:
    static constexpr int kFirstInterval = 100;
    static constexpr int kSecondInterval = 4000;
    static constexpr int kCancel = 2;
    static constexpr int kOk = 1;

    // picture: the PNG resource of the splash picture (empty path: none). version: the program's
    // version as "a.b.c.d"; unset: the version the build compiled in.
    explicit TSplashForm(const QString& picture = QStringLiteral(":/corvane/ui/splash.png"),
                         std::optional<QString> version = std::nullopt, QWidget* parent = nullptr);
    ~TSplashForm() override;

    TImageLabel* Logo;
    TgLabel* Version;
    QTimer* Timer;
    TImageButton* btnClose;
    TImageButton* btnHelp;

    void ShowSplash();
    int result() const { return m_result; }
    bool hasSplashStream() const { return !m_stream.isEmpty(); }

    // The address the logo opens; empty leaves the logo without action.
    void setWebAddress(const QString& address) { m_webAddress = address; }
    // How a web address is opened; unset: the desktop's handler.
    std::function<void(const QString&)> openUrl;
    void OpenWebAddress(const QString& address);
    void LogoClick();

    // The picture with the controls' areas made opaque, as the window shows it.
    QImage composedPicture() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void FormCreate(const QString& picture, const std::optional<QString>& version);
    void TimerEvent();
    void TimerEvent2();

    QByteArray m_stream;
    QString m_webAddress;
    int m_result = 0;
};

}  // namespace corvane
