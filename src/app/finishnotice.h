#pragma once

#include "controls/messagebox.h"

#include <QElapsedTimer>

#include <chrono>
#include <functional>

class QWidget;

// Passes every message box on to the real presenter. The box that ends a long
// build, shown while the user is busy in another window, is first sent as a
// desktop notification too, so the outcome is not missed.
class FinishNotice : public MessageBoxPresenter
{
public:
    using Sender = std::function<bool(const QString& summary, const QString& body)>;
    static constexpr std::chrono::milliseconds DefaultThreshold{30000};

    // building: whether a build is running now; window: the main window.
    FinishNotice(MessageBoxPresenter& boxes, QWidget& window, std::function<bool()> building,
                 Sender send);

    // The clock of the build that starts now.
    void BuildStarted();
    // A build at least this long counts as long.
    void SetThreshold(std::chrono::milliseconds threshold) { m_threshold = threshold; }

    BoxAnswer Show(const MessageBoxRequest& request) override;

private:
    [[nodiscard]] bool ShouldNotify() const;

    MessageBoxPresenter& m_boxes;
    QWidget& m_window;
    std::function<bool()> m_building;
    Sender m_send;
    std::chrono::milliseconds m_threshold = DefaultThreshold;
    QElapsedTimer m_started;
};
