#include "framework/afx/text_renderer.h"

#include <algorithm>

#include "framework/afx/control_layout.h"
#include "framework/afx/printable_text.h"

namespace afx {

namespace {

std::string escaped(const std::string& text) {
    return printableText(text);
}

// Appends piece after a separator (none before the first piece). Building the text in place
// rather than as "sep" + temporary keeps g++ 12 at -O3 from a false -Wrestrict.
void appendJoined(std::string& out, const char* separator, const std::string& piece) {
    if (!out.empty()) {
        out += separator;
    }
    out += piece;
}

std::string joined(const std::string& label, const std::string& value) {
    if (label.empty()) {
        return value;
    }
    return value.empty() ? label : label + " " + value;
}

std::string markers(const WindowRecord& r) {
    std::string out;
    if (!r.enabled) {
        out += " {disabled}";
    }
    if (windows().focus() == r.handle) {
        out += " {focus}";
    }
    if (r.cls == WindowClass::Edit && r.is(style::kReadOnly)) {
        out += " {read-only}";
    }
    return out;
}

std::string padded(const std::string& text, std::size_t width, bool right) {
    const std::string fill(width > text.size() ? width - text.size() : 0, ' ');
    return right ? fill + text : text + fill;
}

std::string trimmedRight(std::string line) {
    line.erase(line.find_last_not_of(' ') + 1);
    return line;
}

class Renderer {
public:
    explicit Renderer(const RenderOptions& options) : m_options(options) {}

    void window(HWND hwnd, int indent) {
        const WindowRecord* r = windows().find(hwnd);
        if (!r) {
            return;
        }
        if (!isContainer(*r)) {
            ControlLayout layout(r->parent);
            control(layout, hwnd, indent);
            return;
        }
        if (r->cls == WindowClass::Dialog) {
            const std::string caption = r->text.empty() ? "(untitled)" : escaped(r->text);
            line(indent, "== " + caption + " ==" + markers(*r));
            indent += 2;
        }
        children(hwnd, indent);
    }

    void messageBox(const MessageBoxState& box) {
        std::string head = "== Message box: " + escaped(box.caption);
        const std::string style = describeMessageBoxStyle(box.style);
        const auto comma = style.find(", ");
        // The icon belongs in the heading; the buttons get a line of their own.
        if ((box.style & MB_ICONMASK) != 0 && comma != std::string::npos) {
            head += " (" + style.substr(0, comma) + ")";
        }
        line(0, head + " ==");
        std::size_t start = 0;
        while (start <= box.text.size()) {
            const auto end = box.text.find('\n', start);
            line(2, escaped(box.text.substr(start, end == std::string::npos ? end : end - start)));
            if (end == std::string::npos) {
                break;
            }
            start = end + 1;
        }
        const auto buttons = messageBoxButtons(box.style);
        std::string row;
        for (const auto& [id, caption] : buttons) {
            appendJoined(row, " ", "[ " + caption + " ]");
        }
        const auto defaultIndex = static_cast<std::size_t>((box.style & MB_DEFMASK) >> 8);
        if (defaultIndex > 0 && defaultIndex < buttons.size()) {
            row += " {default: " + buttons[defaultIndex].second + "}";
        }
        line(2, row);
    }

    std::string take() { return std::move(m_out); }

private:
    void line(int indent, const std::string& text) {
        m_out += trimmedRight(std::string(static_cast<std::size_t>(indent), ' ') + text);
        m_out += '\n';
    }

    // Embedded dialogs (property pages) first: a sheet's buttons sit below its page.
    void children(HWND parent, int indent) {
        ControlLayout layout(parent);
        for (HWND child : layout.visibleChildren()) {
            if (isContainer(*windows().find(child))) {
                window(child, indent);
            }
        }
        for (HWND child : layout.visibleChildren()) {
            if (!isContainer(*windows().find(child)) && !layout.groupOf(child)) {
                item(layout, child, indent);
            }
        }
    }

    void item(const ControlLayout& layout, HWND hwnd, int indent) {
        if (layout.isLabel(hwnd)) {
            return;  // shown with the control it names
        }
        const WindowRecord& r = *windows().find(hwnd);
        if (r.cls != WindowClass::GroupBox) {
            control(layout, hwnd, indent);
            return;
        }
        line(indent, "-- " + escaped(stripMnemonic(r.text)) + " --" + markers(r));
        for (HWND member : layout.visibleChildren()) {
            if (layout.groupOf(member) == hwnd) {
                item(layout, member, indent + 2);
            }
        }
    }

    void control(const ControlLayout& layout, HWND hwnd, int indent) {
        const WindowRecord& r = *windows().find(hwnd);
        const HWND labelHwnd = layout.labelOf(hwnd);
        const std::string label =
            labelHwnd ? escaped(stripMnemonic(windows().find(labelHwnd)->text)) : std::string();
        const std::string own = escaped(stripMnemonic(r.text));
        switch (r.cls) {
            case WindowClass::Static:
                if (!label.empty() || !r.text.empty()) {
                    line(indent, joined(label, escaped(r.text)) + markers(r));
                }
                break;
            case WindowClass::Edit: {
                const std::string value =
                    r.is(style::kPassword) ? std::string(r.text.size(), '*') : escaped(r.text);
                line(indent, joined(label, "\"" + value + "\"") + markers(r));
                break;
            }
            case WindowClass::ComboBox:
                line(indent, joined(label, comboValue(r)) + markers(r));
                break;
            case WindowClass::CheckBox:
            case WindowClass::RadioButton: {
                const bool radio = r.cls == WindowClass::RadioButton;
                const std::string mark = r.check == BST_CHECKED         ? (radio ? "(o)" : "[x]")
                                         : r.check == BST_INDETERMINATE ? (radio ? "(-)" : "[-]")
                                         : radio                        ? "( )"
                                                                        : "[ ]";
                line(indent, (own.empty() ? joined(label, mark) : mark + " " + own) + markers(r));
                break;
            }
            case WindowClass::PushButton:
                line(indent, (own.empty() ? joined(label, "[ ]") : "[ " + own + " ]") + markers(r));
                break;
            case WindowClass::ListBox:
                line(indent, (label.empty() ? "(list box)" : label) + markers(r));
                listBoxItems(r, indent + 2);
                break;
            case WindowClass::ListView:
                line(indent, (label.empty() ? "(list)" : label) + markers(r));
                listViewTable(r, indent + 2);
                break;
            default:
                break;  // icons, separators, empty frames: nothing to read
        }
    }

    std::string comboValue(const WindowRecord& r) const {
        std::string selected;
        if (r.curSel >= 0 && static_cast<std::size_t>(r.curSel) < r.items.size()) {
            selected = r.items[static_cast<std::size_t>(r.curSel)].text;
        } else if (!r.is(style::kDropDownList)) {
            selected = r.text;  // the edit part of a drop-down combo
        }
        std::string out = "<";
        out += escaped(selected);
        out += '>';
        if (m_options.comboEntries) {
            std::string entries;
            for (const auto& entry : r.items) {
                appendJoined(entries, " | ", escaped(entry.text));
            }
            out += " of (" + entries + ")";
        }
        return out;
    }

    void listBoxItems(const WindowRecord& r, int indent) {
        if (r.items.empty()) {
            line(indent, "(empty)");
        }
        const bool multi = r.is(style::kMultiSelect);
        for (std::size_t i = 0; i < r.items.size(); ++i) {
            const bool selected = multi ? r.items[i].selected : static_cast<int>(i) == r.curSel;
            line(indent, (selected ? "> " : "  ") + escaped(r.items[i].text));
        }
    }

    std::string imageText(int image) const {
        if (image < 0) {
            return {};
        }
        return m_options.imageName ? m_options.imageName(image) : "#" + std::to_string(image);
    }

    void listViewTable(const WindowRecord& r, int indent) {
        std::size_t columns = r.columns.size();
        if (columns == 0) {
            for (const auto& row : r.rows) {
                columns = std::max(columns, row.cells.size());
            }
        }
        const bool images =
            r.imageList != 0 || std::any_of(r.rows.begin(), r.rows.end(),
                                            [](const auto& row) { return row.image >= 0; });
        // Column 0 of the table is the image, when the list has images.
        std::vector<std::vector<std::string>> table;
        std::vector<std::string> heading;
        if (images) {
            heading.emplace_back();
        }
        for (std::size_t c = 0; c < columns; ++c) {
            heading.push_back(c < r.columns.size() ? escaped(r.columns[c].heading) : "");
        }
        table.push_back(heading);
        for (const auto& row : r.rows) {
            std::vector<std::string> cells;
            if (images) {
                cells.push_back(imageText(row.image));
            }
            for (std::size_t c = 0; c < columns; ++c) {
                cells.push_back(escaped(row.cell(c)));
            }
            table.push_back(cells);
        }
        std::vector<std::size_t> widths(heading.size(), 0);
        for (const auto& cells : table) {
            for (std::size_t c = 0; c < cells.size(); ++c) {
                widths[c] = std::max(widths[c], cells[c].size());
            }
        }
        const std::size_t offset = images ? 1 : 0;
        for (std::size_t t = 0; t < table.size(); ++t) {
            const bool selected = t > 0 && (r.rows[t - 1].state & LVIS_SELECTED) != 0;
            std::string text = selected ? "> " : "  ";
            for (std::size_t c = 0; c < table[t].size(); ++c) {
                const bool right =
                    c >= offset && c - offset < r.columns.size() &&
                    (r.columns[c - offset].format & LVCFMT_JUSTIFYMASK) == LVCFMT_RIGHT;
                text += c == 0 ? "" : "  ";
                text += padded(table[t][c], widths[c], right);
            }
            line(indent, text);
        }
        if (r.rows.empty()) {
            line(indent, "  (no rows)");
        }
    }

    const RenderOptions& m_options;
    std::string m_out;
};

}  // namespace

std::vector<std::pair<int, std::string>> messageBoxButtons(UINT style) {
    switch (style & MB_TYPEMASK) {
        case MB_OKCANCEL:
            return {{IDOK, "OK"}, {IDCANCEL, "Cancel"}};
        case MB_ABORTRETRYIGNORE:
            return {{IDABORT, "Abort"}, {IDRETRY, "Retry"}, {IDIGNORE, "Ignore"}};
        case MB_YESNOCANCEL:
            return {{IDYES, "Yes"}, {IDNO, "No"}, {IDCANCEL, "Cancel"}};
        case MB_YESNO:
            return {{IDYES, "Yes"}, {IDNO, "No"}};
        case MB_RETRYCANCEL:
            return {{IDRETRY, "Retry"}, {IDCANCEL, "Cancel"}};
        default:
            return {{IDOK, "OK"}};
    }
}

std::string describeMessageBoxStyle(UINT style) {
    std::string out;
    switch (style & MB_ICONMASK) {
        case MB_ICONHAND:
            out = "error icon, ";
            break;
        case MB_ICONQUESTION:
            out = "question icon, ";
            break;
        case MB_ICONEXCLAMATION:
            out = "exclamation icon, ";
            break;
        case MB_ICONASTERISK:
            out = "information icon, ";
            break;
        default:
            break;
    }
    const auto buttons = messageBoxButtons(style);
    std::string names;
    for (const auto& [id, caption] : buttons) {
        appendJoined(names, "/", caption);
    }
    out += names;
    const auto defaultIndex = static_cast<std::size_t>((style & MB_DEFMASK) >> 8);
    if (defaultIndex > 0 && defaultIndex < buttons.size()) {
        out += ", default " + buttons[defaultIndex].second;
    }
    return out;
}

std::string renderWindow(HWND root, const RenderOptions& options) {
    Renderer renderer(options);
    renderer.window(root, 0);
    return renderer.take();
}

std::string renderScreen(const RenderOptions& options) {
    Renderer renderer(options);
    std::string out;
    for (HWND top : windows().topLevelWindows()) {
        if (windows().find(top)->visible) {
            renderer.window(top, 0);
            appendJoined(out, "\n", renderer.take());
        }
    }
    for (const auto& box : windows().openMessageBoxes()) {
        renderer.messageBox(box);
        appendJoined(out, "\n", renderer.take());
    }
    return out;
}

std::string renderMessageBox(const MessageBoxState& box) {
    RenderOptions options;
    Renderer renderer(options);
    renderer.messageBox(box);
    return renderer.take();
}

}  // namespace afx
