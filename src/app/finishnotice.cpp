#include "app/finishnotice.h"

#include <QWidget>

FinishNotice::FinishNotice(MessageBoxPresenter& boxes, QWidget& window,
                           std::function<bool()> building, Sender send)
    : m_boxes(boxes), m_window(window), m_building(std::move(building)), m_send(std::move(send))
{}

void FinishNotice::BuildStarted()
{
    m_started.start();
}

BoxAnswer FinishNotice::Show(const MessageBoxRequest& request)
{
    if (ShouldNotify()) {
        // One notice per build: the first box of its end is its outcome.
        m_started.invalidate();
        m_send(QStringLiteral("Isomint Stencil: ") + request.caption, request.text);
    }
    return m_boxes.Show(request);
}

bool FinishNotice::ShouldNotify() const
{
    return m_started.isValid() && m_building() &&
           std::chrono::milliseconds(m_started.elapsed()) >= m_threshold &&
           !m_window.isActiveWindow();
}
