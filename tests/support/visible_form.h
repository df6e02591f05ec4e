#pragma once
// What a person sees of a shown form: a caption cut short by its control, or a control that
// lies (partly) outside the window that holds it. Each fault is one readable line, so a
// test can assert the list is empty and print it when it is not.
#include <QAbstractButton>
#include <QAbstractScrollArea>
#include <QCheckBox>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOption>
#include <QToolButton>
#include <QWidget>
#include <string>
#include <vector>

namespace tessaro::testing {

namespace visible_form_detail {

inline std::string Name(const QWidget& w) {
    std::string name = w.objectName().toStdString();
    if (name.empty()) name = w.metaObject()->className();
    return name;
}

// The width a one-line caption takes on screen, mnemonic marks dropped.
inline int CaptionWidth(const QWidget& w, const QString& text) {
    return w.fontMetrics().size(Qt::TextShowMnemonic, text).width();
}

// Inside a scroll area's viewport a control may lie beyond what is shown: it is scrolled to.
inline bool Scrolled(const QWidget& w, const QWidget& form) {
    for (const QWidget* p = w.parentWidget(); p && p != &form; p = p->parentWidget()) {
        if (const auto* area = qobject_cast<const QAbstractScrollArea*>(p->parentWidget()))
            if (area->viewport() == p) return true;
    }
    return false;
}

// How much of the control's width its caption and decorations need, or 0 to skip it.
inline int NeededWidth(const QWidget& w) {
    if (const auto* label = qobject_cast<const QLabel*>(&w)) {
        if (label->text().isEmpty() || label->wordWrap() || label->textFormat() == Qt::RichText) return 0;
        return label->minimumSizeHint().width();
    }
    if (qobject_cast<const QCheckBox*>(&w) || qobject_cast<const QRadioButton*>(&w)) {
        const auto& button = static_cast<const QAbstractButton&>(w);
        return button.text().isEmpty() ? 0 : button.sizeHint().width();
    }
    if (const auto* button = qobject_cast<const QPushButton*>(&w)) {
        if (button->text().isEmpty()) return 0;
        // The style's own margins around the caption and the icon, without the minimum
        // width some styles give every button.
        const QStyle* style = button->style();
        int need = CaptionWidth(w, button->text()) +
                   style->pixelMetric(QStyle::PM_ButtonMargin, nullptr, &w) +
                   2 * style->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, &w);
        if (!button->icon().isNull()) need += button->iconSize().width() + 4;
        return need;
    }
    if (const auto* tool = qobject_cast<const QToolButton*>(&w)) {
        if (tool->text().isEmpty() || tool->toolButtonStyle() == Qt::ToolButtonIconOnly) return 0;
        return CaptionWidth(w, tool->text());
    }
    if (const auto* box = qobject_cast<const QGroupBox*>(&w)) {
        if (box->title().isEmpty()) return 0;
        int need = CaptionWidth(w, box->title());
        if (box->isCheckable()) need += box->style()->pixelMetric(QStyle::PM_IndicatorWidth, nullptr, &w);
        return need;
    }
    return 0;
}

inline int NeededHeight(const QWidget& w) {
    if (const auto* label = qobject_cast<const QLabel*>(&w)) {
        if (label->text().isEmpty() || label->textFormat() == Qt::RichText) return 0;
        if (label->wordWrap()) return label->heightForWidth(label->width());
        return label->fontMetrics().size(Qt::TextShowMnemonic, label->text()).height();
    }
    if (qobject_cast<const QAbstractButton*>(&w)) return w.fontMetrics().height();
    return 0;
}

inline std::vector<std::string> Faults(const QWidget& form, bool outside, bool cut) {
    std::vector<std::string> faults;
    for (const QWidget* w : form.findChildren<QWidget*>()) {
        if (!w->isVisibleTo(&form) || w->isWindow() || Scrolled(*w, form)) continue;
        const QWidget* parent = w->parentWidget();
        if (outside && !parent->rect().contains(w->geometry())) {
            const QRect g = w->geometry();
            faults.push_back(Name(*w) + " lies outside " + Name(*parent) + ": " + std::to_string(g.x()) +
                             "," + std::to_string(g.y()) + " " + std::to_string(g.width()) + "x" +
                             std::to_string(g.height()) + " in " + std::to_string(parent->width()) + "x" +
                             std::to_string(parent->height()));
        }
        if (!cut) continue;
        const int needW = NeededWidth(*w);
        const int needH = NeededHeight(*w);
        if (needW > w->width() || needH > w->height()) {
            QString text;
            if (const auto* l = qobject_cast<const QLabel*>(w))
                text = l->text();
            else if (const auto* b = qobject_cast<const QAbstractButton*>(w))
                text = b->text();
            else if (const auto* g = qobject_cast<const QGroupBox*>(w))
                text = g->title();
            faults.push_back(Name(*w) + " \"" + text.toStdString() + "\" is cut: needs " +
                             std::to_string(needW) + "x" + std::to_string(needH) + ", has " +
                             std::to_string(w->width()) + "x" + std::to_string(w->height()));
        }
    }
    return faults;
}

}  // namespace visible_form_detail

// Every fault a person would see on `form` as shown now: texts cut short and controls
// outside their parent. Hidden controls and those on hidden pages are not looked at.
inline std::vector<std::string> VisibleFaults(const QWidget& form) {
    return visible_form_detail::Faults(form, true, true);
}

// Only the controls that lie (partly) outside the window or the control that holds them.
inline std::vector<std::string> ControlsOutside(const QWidget& form) {
    return visible_form_detail::Faults(form, true, false);
}

}  // namespace tessaro::testing
