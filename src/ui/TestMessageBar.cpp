#include "ui/TestMessageBar.h"

#include <QLineEdit>
#include <QPushButton>

namespace corvane {

TestMessageBar::TestMessageBar(QLineEdit* data, QLineEdit* address, QPushButton* send, Inject inject,
                               ErrorDisplay errors, QObject* parent)
    : QObject(parent),
      m_data(data),
      m_address(address),
      m_send(send),
      m_inject(std::move(inject)),
      m_errors(std::move(errors)) {
    if (send)
        connect(send, &QPushButton::clicked, this, &TestMessageBar::btnTestClick);
}

void TestMessageBar::btnTestClick() {
    if (!m_inject || m_data->text().isEmpty())
        return;
    // The operator's text as UTF-8, the form the grid shows it back in.
    const std::string bytes = m_data->text().toStdString();
    const std::string address = m_address ? m_address->text().toStdString() : std::string();
    try {
        m_inject(bytes, address);
    } catch (const std::exception& e) {
        if (m_errors)
            m_errors(m_send, &e);
    } catch (...) {
        if (m_errors)
            m_errors(m_send, nullptr);
    }
}

}  // namespace corvane
