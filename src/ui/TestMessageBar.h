#pragma once

#include <QObject>

#include <exception>
#include <functional>
#include <string>
#include <string_view>

class QLineEdit;
class QPushButton;

namespace corvane {

// The test message bar of the Data page: "&Send" feeds the typed text into the listener as if it
// had arrived from the typed address. Unlike a datagram's, an error on the way (an undecodable
// text, a failure in intake) is not dropped but goes to the error display.
class TestMessageBar : public QObject {
    Q_OBJECT
public:
    using Inject = std::function<void(std::string_view bytes, const std::string& address)>;
    using ErrorDisplay = std::function<void(QObject* sender, const std::exception* error)>;

    TestMessageBar(QLineEdit* data, QLineEdit* address, QPushButton* send, Inject inject, ErrorDisplay errors,
                   QObject* parent = nullptr);

    // Nothing happens while the message text is empty; both texts stay as they are.
    void btnTestClick();

private:
    QLineEdit* m_data;
    QLineEdit* m_address;
    QPushButton* m_send;
    Inject m_inject;
    ErrorDisplay m_errors;
};

}  // namespace corvane
