// The answer grid of the response entry page: where each item's controls lie, and the widget they
// lie on, which takes the keyboard for transcription and draws the focus cell and unanswered marks.
#pragma once

#include <QAccessible>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPoint>
#include <QScopeGuard>
#include <QWidget>
#include <algorithm>
#include <array>
#include <functional>
#include <utility>
#include <vector>

#include "model/Questionnaire.h"

namespace kivo::entry {

// --- Where the controls lie, in the grid's coordinates (row r holds item r + 1) ------------

constexpr int kRowHeight = 43;
constexpr int kLetterPitch = 30;
constexpr std::array<int, kConditionCount> kLetterLeft = {480, 740};
constexpr std::array<int, kConditionCount> kLetterSide = {28, 25};
constexpr std::array<int, kConditionCount> kListLeft = {485, 745};
constexpr int kListWidth = 200;
constexpr int kListHeight = 25;

constexpr int RowTop(int row) {
    return kRowHeight * row + 5;
}
// Letter `column` (0..6 for A..G) of a rated item.
constexpr QRect LetterRect(int condition, int row, int column) {
    const auto c = static_cast<std::size_t>(condition);
    return {kLetterLeft[c] + kLetterPitch * column, kRowHeight * row + 8, kLetterSide[c],
            kLetterSide[c]};
}
constexpr QRect ListRect(int condition, int row) {
    return {kListLeft[static_cast<std::size_t>(condition)], kRowHeight * row + 10, kListWidth,
            kListHeight};
}
// The frame drawn around one condition's controls of an item: a little outside them, inside
// the row's band.
constexpr QRect CellFrame(int condition, int row, bool useItem) {
    if (useItem) return ListRect(condition, row).adjusted(-4, -4, 4, 4);
    const QRect first = LetterRect(condition, row, 0);
    return QRect(first.left(), first.top(), kLetterPitch * 6 + first.width(), first.height())
        .adjusted(-4, -3, 4, 3);
}
// The dot left of a condition's controls that marks the item unanswered there.
constexpr QRect UnansweredMark(int condition, int row) {
    return {kLetterLeft[static_cast<std::size_t>(condition)] - 16, kRowHeight * row + 17, 9, 9};
}

// --- The widget -------------------------------------------------------------------------

// The scrolled content of the entry page: the row bands, letter buttons and lists are its
// children. It takes the keyboard focus (the letter buttons cannot) and hands every key to the
// page's handler; Tab and Shift+Tab go there first as well, so the page decides when the focus
// leaves the grid. A layer over the children, transparent to the mouse, draws the focus cell's
// frame (bold while the grid has the focus) and a dot beside each unanswered cell.
//
// A screen reader meets it as a table, a row per item and a column per condition, whose cells
// the page names; the focus cell has the focus. One key is heard once: what a key changes is
// told when the key is done, as one focus event on the cell the focus moved to, or one name
// change of the cell it stayed on; the other cells it changed are told first or after, while
// they do not have the focus, so that no reader speaks them.
class AnswerGrid final : public QWidget {
    Q_OBJECT
public:
    // Returns true when it used the key.
    using KeyHandler = std::function<bool(const QKeyEvent&)>;
    // A left press on the grid outside its buttons and lists (on a row band), in its coordinates.
    using PressHandler = std::function<void(QPoint)>;
    // The spoken name of a cell: item row (0-based) and condition column.
    using CellNamer = std::function<QString(int row, int column)>;

    static constexpr int kColumns = kConditionCount;
    // The accessible child index of a cell; the cells come before the grid's widgets.
    static constexpr int CellIndex(int row, int column) { return row * kColumns + column; }

    AnswerGrid() : overlay_(new Overlay(this)) {
        setFocusPolicy(Qt::StrongFocus);
        setAccessibleName(QStringLiteral("Answers"));
    }

    void SetKeyHandler(KeyHandler handler) { keyHandler_ = std::move(handler); }
    void SetPressHandler(PressHandler handler) { pressHandler_ = std::move(handler); }
    void SetCellNamer(CellNamer namer) { cellNamer_ = std::move(namer); }

    // --- What a screen reader reads -----------------------------------------------------

    int RowCount() const { return rows_; }
    // The rows shown (the form's items).
    void SetRowCount(int rows) {
        if (rows == rows_) return;
        rows_ = rows;
        if (QAccessible::isActive()) {
            QAccessibleTableModelChangeEvent reset(this,
                                                   QAccessibleTableModelChangeEvent::ModelReset);
            QAccessible::updateAccessibility(&reset);
        }
    }
    QString CellName(int row, int column) const {
        return cellNamer_ ? cellNamer_(row, column) : QString();
    }
    // The focus cell: its row and column, -1 when there is none (a complete form).
    QPoint FocusCell() const { return focus_; }
    void SetFocusCell(int row, int column) {
        focus_ = QPoint(column, row);
        if (!note_.isEmpty()) {
            note_.clear();
            noteChanged_ = true;
        }
        Tell();
    }
    // No focus cell; the table says `note` in its name instead ("Form complete: ...").
    void ShowNote(const QString& note) {
        focus_ = kNoCell;
        note_ = note;
        noteChanged_ = true;
        Tell();
    }
    QString Note() const { return note_; }
    // What a cell shows changed.
    void CellChanged(int row, int column) {
        const QPoint cell(column, row);
        if (std::find(changed_.begin(), changed_.end(), cell) == changed_.end())
            changed_.push_back(cell);
        Tell();
    }
    void AllCellsChanged() {
        ChangeTogether([this] {
            for (int r = 0; r < rows_; ++r) {
                for (int c = 0; c < kColumns; ++c) CellChanged(r, c);
            }
        });
    }
    // Runs `change` (a key's or a click's work) and tells what it changed once it is done.
    template <typename Change>
    void ChangeTogether(Change&& change) {
        {
            ++batchDepth_;
            const QScopeGuard leave([this] { --batchDepth_; });
            std::forward<Change>(change)();
        }
        Tell();
    }

    // The focus cell's frame; an empty rectangle draws none.
    void SetFocusFrame(QRect frame) {
        if (frame == overlay_->frame) return;
        overlay_->update(Outer(overlay_->frame));
        overlay_->frame = frame;
        overlay_->update(Outer(frame));
    }
    QRect FocusFrame() const { return overlay_->frame; }

    void SetUnanswered(int condition, int row, bool unanswered) {
        bool& mark =
            overlay_->marks[static_cast<std::size_t>(condition)][static_cast<std::size_t>(row)];
        if (mark == unanswered) return;
        mark = unanswered;
        overlay_->update(UnansweredMark(condition, row));
    }
    bool Unanswered(int condition, int row) const {
        return overlay_->marks[static_cast<std::size_t>(condition)][static_cast<std::size_t>(row)];
    }

    // Puts the drawing layer over every child; called after the rows are built.
    void RaiseOverlay() { overlay_->raise(); }

    // Moves the keyboard focus to the next (or previous) control of the page.
    void LeaveGrid(bool forward) { focusNextPrevChild(forward); }

protected:
    bool event(QEvent* event) override {
        // Tab and Shift+Tab would move the focus before keyPressEvent saw them.
        if (event->type() == QEvent::KeyPress) {
            const auto* key = static_cast<QKeyEvent*>(event);
            const bool tab = key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab;
            if (tab && keyHandler_ && HandleKey(*key)) {
                event->accept();
                return true;
            }
        }
        return QWidget::event(event);
    }
    void keyPressEvent(QKeyEvent* event) override {
        if (keyHandler_ && HandleKey(*event)) {
            event->accept();
            return;
        }
        QWidget::keyPressEvent(event);  // ignored: Page Up and the like reach the scroll box
    }
    void mousePressEvent(QMouseEvent* event) override {
        // The row labels pass their presses on to here.
        if (event->button() == Qt::LeftButton && pressHandler_) {
            pressHandler_(event->position().toPoint());
            event->accept();
            return;
        }
        QWidget::mousePressEvent(event);
    }
    void focusInEvent(QFocusEvent* event) override {
        QWidget::focusInEvent(event);
        overlay_->update(Outer(overlay_->frame));
        // Qt tells of the grid's focus after this returns; the focus cell's comes after it.
        QMetaObject::invokeMethod(
            this,
            [this] {
                if (hasFocus() && focus_ != kNoCell) SendCellEvent(focus_, QAccessible::Focus);
            },
            Qt::QueuedConnection);
    }
    void focusOutEvent(QFocusEvent* event) override {
        QWidget::focusOutEvent(event);
        overlay_->update(Outer(overlay_->frame));
    }
    void resizeEvent(QResizeEvent* event) override {
        QWidget::resizeEvent(event);
        overlay_->resize(size());
    }

private:
    static constexpr QPoint kNoCell{-1, -1};

    bool HandleKey(const QKeyEvent& key) {
        bool used = false;
        ChangeTogether([&] { used = keyHandler_(key); });
        return used;
    }

    // Tells a screen reader what changed since it was last told (outside a key, at once): a move
    // of the focus as one focus event, every other change while its cell lacks the focus.
    void Tell() {
        if (batchDepth_ > 0) return;
        std::vector<QPoint> changed;
        changed.swap(changed_);
        const bool noteChanged = std::exchange(noteChanged_, false);
        const QPoint left = std::exchange(toldFocus_, focus_);
        if (!QAccessible::isActive()) return;
        const auto tellChanged = [&](bool wanted) {
            for (const QPoint& cell : changed) {
                if ((cell == left) == wanted) SendCellEvent(cell, QAccessible::NameChanged);
            }
        };
        if (left == focus_) {
            tellChanged(true);
            tellChanged(false);
            return;
        }
        tellChanged(false);  // the cell the focus comes to among them, before it has it
        if (hasFocus()) {
            if (focus_ == kNoCell) {
                QAccessibleEvent focus(this, QAccessible::Focus);
                QAccessible::updateAccessibility(&focus);
            } else {
                SendCellEvent(focus_, QAccessible::Focus);
            }
        }
        tellChanged(true);  // the cell left
        if (noteChanged && focus_ != kNoCell) {
            QAccessibleEvent name(this, QAccessible::NameChanged);
            QAccessible::updateAccessibility(&name);
        }
    }
    void SendCellEvent(QPoint cell, QAccessible::Event type) {
        if (!QAccessible::isActive() || cell.y() < 0 || cell.y() >= rows_) return;
        QAccessibleEvent event(this, type);
        event.setChild(CellIndex(cell.y(), cell.x()));
        QAccessible::updateAccessibility(&event);
    }

    static constexpr QRgb kFrameColour = 0xFF8C00;       // stands out on both row colours
    static constexpr QRgb kUnansweredColour = 0xC00000;  // as the mark of a kept code
    static constexpr int kFramePen = 3;

    static QRect Outer(QRect frame) { return frame.adjusted(-1, -1, 1, 1); }

    class Overlay final : public QWidget {
    public:
        explicit Overlay(AnswerGrid* grid) : QWidget(grid), grid_(grid) {
            setAttribute(Qt::WA_TransparentForMouseEvents);
            setAttribute(Qt::WA_NoSystemBackground);
            setFocusPolicy(Qt::NoFocus);
        }

        QRect frame;
        std::array<std::array<bool, kMaxItems>, kConditionCount> marks{};

    protected:
        void paintEvent(QPaintEvent* event) override {
            QPainter painter(this);
            const QRect dirty = event->rect();
            painter.setRenderHint(QPainter::Antialiasing);
            painter.setPen(Qt::NoPen);
            painter.setBrush(QColor::fromRgb(kUnansweredColour));
            for (int c = 0; c < kConditionCount; ++c) {
                for (int r = 0; r < kMaxItems; ++r) {
                    const QRect dot = UnansweredMark(c, r);
                    if (marks[static_cast<std::size_t>(c)][static_cast<std::size_t>(r)] &&
                        dot.intersects(dirty)) {
                        painter.drawEllipse(dot);
                    }
                }
            }
            if (frame.isEmpty() || !Outer(frame).intersects(dirty)) return;
            // Bold while typing goes to the grid, thin where it would go on return.
            const int w = grid_->hasFocus() ? kFramePen : 1;
            const QColor colour = QColor::fromRgb(kFrameColour);
            painter.fillRect(QRect(frame.left(), frame.top(), frame.width(), w), colour);
            painter.fillRect(QRect(frame.left(), frame.bottom() - w + 1, frame.width(), w), colour);
            painter.fillRect(QRect(frame.left(), frame.top(), w, frame.height()), colour);
            painter.fillRect(QRect(frame.right() - w + 1, frame.top(), w, frame.height()), colour);
        }

    private:
        AnswerGrid* grid_;
    };

    Overlay* overlay_;
    KeyHandler keyHandler_;
    PressHandler pressHandler_;
    CellNamer cellNamer_;
    int rows_ = 0;
    QPoint focus_ = kNoCell;      // column, row
    QPoint toldFocus_ = kNoCell;  // the focus cell a screen reader was last told of
    QString note_;
    bool noteChanged_ = false;
    std::vector<QPoint> changed_;  // cells changed and not yet told
    int batchDepth_ = 0;
};

}  // namespace kivo::entry
