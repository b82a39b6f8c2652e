#pragma once

#include <QFontMetrics>
#include <QString>

// The widest a button's tooltip may grow before its lines wrap.
constexpr int TooltipMaxWidth = 400;

// Breaks a tooltip's lines at blanks so that none is wider than maxWidth;
// the text's own line breaks stay. A single word wider than that stays whole.
QString WrapTooltipText(const QString& text, const QFontMetrics& metrics,
                        int maxWidth = TooltipMaxWidth);
