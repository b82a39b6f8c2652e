#pragma once

#include "controls/linkopener.h"

#include <QColor>
#include <QFont>
#include <QLabel>
#include <QTimer>

class MessageBoxPresenter;

// A label that is a hyperlink: coloured text that turns red and underlined
// under the mouse, a hand cursor, the address as tooltip, and a click that
// opens the address, explaining in a message box when it cannot. It is a tab
// stop that Enter and Space open, and a link to a screen reader.
class LinkLabel : public QLabel
{
    Q_OBJECT

public:
    static constexpr int HoverPollMs = 100;

    explicit LinkLabel(QWidget* parent = nullptr);
    ~LinkLabel() override;

    // The colours of a link not yet opened and of one opened come from the
    // application's palette, so a dark theme keeps them readable; under the
    // mouse a link is red.
    static QColor LinkColour();
    static QColor VisitedColour();
    static QColor HoverColour() { return QColor(255, 0, 0); }

    void SetUrl(const QString& url);
    QString Url() const { return m_url; }
    // 1 always underlined, 0 never, -1 only under the mouse.
    void SetUnderlineMode(int mode);
    int UnderlineMode() const { return m_underlineMode; }
    void SetVisited(bool visited);
    bool IsVisited() const { return m_visited; }
    bool IsHovered() const { return m_hover; }
    void SetFitToText(bool fit) { m_fitToText = fit; }
    QColor TextColour() const;

    // Opens an address; `done` hears the result once the desktop has given
    // it, unless this label is gone by then.
    void OpenLink(const QString& address, LinkOpenDone done);
    // Opens the label's own address as a click does.
    void Activate();

    // Where the error box goes; the window that holds the label sets it.
    void SetMessageBoxPresenter(MessageBoxPresenter* presenter) { m_presenter = presenter; }

    // Takes the label's text and geometry into account: done when first shown,
    // since a dialog sets text and place only after constructing its controls.
    void Attach();
    bool IsAttached() const { return m_attached; }

protected:
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void FitToText();
    void PollHover();
    void ApplyColour();
    void Opened(const LinkOpenResult& result);
    void ReportError(const LinkOpenResult& result);

    QColor m_hoverColour = HoverColour();
    bool m_hover = false;
    bool m_visited = false;
    int m_underlineMode = -1;
    bool m_fitToText = true;
    bool m_attached = false;
    QString m_url;
    QFont m_normalFont;
    QFont m_underlineFont;
    QTimer m_hoverTimer;
    MessageBoxPresenter* m_presenter = nullptr;
};
