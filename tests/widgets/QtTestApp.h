#pragma once

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QString>
#include <QWidget>

#include <gtest/gtest.h>

namespace corvane::test {

// One QApplication for the whole test program, made before the first test runs.
class QtAppEnvironment : public ::testing::Environment {
public:
    void SetUp() override {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        static int argc = 1;
        static char name[] = "corvane_tests";
        static char* argv[] = {name, nullptr};
        if (!QApplication::instance())
            m_app = new QApplication(argc, argv);
    }
    void TearDown() override {
        delete m_app;
        m_app = nullptr;
    }

private:
    QApplication* m_app = nullptr;
};

// Saves a picture of the widget for a person to look at.
inline void saveScreenshot(QWidget& w, const QString& name) {
    const QString dir = QStringLiteral(CORVANE_BINARY_DIR "/screenshots");
    QDir().mkpath(dir);
    // Scroll areas show or hide their bars in a queued call after a range change: let those run,
    // so the picture shows what the screen would a moment later.
    QCoreApplication::processEvents();
    QCoreApplication::processEvents();
    w.grab().save(dir + QLatin1Char('/') + name + QStringLiteral(".png"));
}

}  // namespace corvane::test
