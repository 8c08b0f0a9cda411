// Pop-up menus over QMenu and file dialogs over QFileDialog.
#include "platform/gui/UserChoice.h"

#include <QtCore/QDir>
#include <QtCore/QFileInfo>
#include <QtGui/QAction>
#include <QtWidgets/QFileDialog>
#include <QtWidgets/QMenu>
#include <functional>

#include "platform/gui/QtBridge.h"

namespace cvcalc {

namespace {
PopupMenuResponder& MenuResponder() {
    static PopupMenuResponder responder;
    return responder;
}

FileDialogResponder& DialogResponder() {
    static FileDialogResponder responder;
    return responder;
}

FileTypeResponder& TypeResponder() {
    static FileTypeResponder responder;
    return responder;
}

// The type a path is: `chosen` when the path has its extension, otherwise
// the first with the path's extension, otherwise the first.
std::size_t TypeOfPath(const std::vector<FileFilter>& filters, const QString& path, std::size_t chosen) {
    const QString suffix = QFileInfo(path).suffix();
    const auto fits = [&](std::size_t i) {
        return i < filters.size() && suffix.compare(ToQString(filters[i].extension), Qt::CaseInsensitive) == 0;
    };
    if (fits(chosen)) return chosen;
    for (std::size_t i = 0; i < filters.size(); ++i)
        if (fits(i)) return i;
    return 0;
}

QString FilterLine(const FileFilter& filter) {
    if (filter.extension.empty()) return ToQString(filter.label) + QStringLiteral(" (*)");
    return ToQString(filter.label) + QStringLiteral(" (*.") + ToQString(filter.extension) + QLatin1Char(')');
}
}  // namespace

void SetPopupMenuResponder(PopupMenuResponder responder) { MenuResponder() = std::move(responder); }

void SetFileDialogResponder(FileDialogResponder responder) { DialogResponder() = std::move(responder); }

void SetFileTypeResponder(FileTypeResponder responder) { TypeResponder() = std::move(responder); }

std::vector<const PopupMenuItem*> FlatMenuItems(const PopupMenuRequest& request) {
    std::vector<const PopupMenuItem*> flat;
    for (const PopupMenuItem& item : request.items) flat.push_back(&item);
    // Breadth first: a submenu's items follow every item of the menu above.
    for (std::size_t i = 0; i < flat.size(); ++i)
        for (const PopupMenuItem& item : flat[i]->items) flat.push_back(&item);
    return flat;
}

int TrackPopupMenu(const PopupMenuRequest& request) {
    const std::vector<const PopupMenuItem*> flat = FlatMenuItems(request);
    if (MenuResponder()) {
        const int chosen = MenuResponder()(request);
        if (chosen < 0 || std::size_t(chosen) >= flat.size()) return -1;
        const PopupMenuItem& item = *flat[std::size_t(chosen)];
        return item.enabled && item.items.empty() ? chosen : -1;
    }
    QWidget* widget = WidgetOf(request.window);
    if (widget == nullptr) return -1;
    QMenu menu(widget);
    menu.setToolTipsVisible(true);
    std::vector<std::pair<const PopupMenuItem*, QAction*>> actions;
    const std::function<void(QMenu&, const std::vector<PopupMenuItem>&)> add =
        [&](QMenu& into, const std::vector<PopupMenuItem>& items) {
            for (const PopupMenuItem& item : items) {
                QAction* action = nullptr;
                if (item.items.empty()) {
                    action = into.addAction(ToQString(item.caption));
                    if (item.checked) {
                        action->setCheckable(true);
                        action->setChecked(true);
                    }
                } else {
                    QMenu* sub = into.addMenu(ToQString(item.caption));
                    sub->setToolTipsVisible(true);
                    action = sub->menuAction();
                    actions.push_back({&item, action});
                    action->setToolTip(ToQString(item.tip));
                    action->setEnabled(item.enabled);
                    add(*sub, item.items);
                    continue;
                }
                action->setToolTip(ToQString(item.tip));
                action->setEnabled(item.enabled);
                actions.push_back({&item, action});
            }
        };
    add(menu, request.items);
    QAction* chosen = menu.exec(widget->mapToGlobal(QPoint(request.x, request.y)));
    for (const auto& [item, action] : actions) {
        if (action != chosen || !item->items.empty()) continue;
        for (std::size_t i = 0; i < flat.size(); ++i)
            if (flat[i] == item) return int(i);
    }
    return -1;
}

std::optional<std::string> AskFileName(const FileDialogRequest& request) {
    if (auto choice = AskFileNameAndType(request)) return std::move(choice->path);
    return std::nullopt;
}

std::optional<FileDialogChoice> AskFileNameAndType(const FileDialogRequest& request) {
    if (DialogResponder()) {
        std::optional<std::string> path = DialogResponder()(request);
        if (!path) return std::nullopt;
        const std::size_t chosen = TypeResponder() ? TypeResponder()(request) : request.filters.size();
        return FileDialogChoice{*path, TypeOfPath(request.filters, ToQString(*path), chosen)};
    }
    QWidget* owner = WidgetOf(request.owner);
    const QString start = ToQString(request.startFolder);
    if (request.chooseFolder) {
        const QString folder = QFileDialog::getExistingDirectory(owner, ToQString(request.caption), start);
        if (folder.isEmpty()) return std::nullopt;
        return FileDialogChoice{FromQString(folder), 0};
    }
    QStringList filters;
    QString selected;
    for (const FileFilter& filter : request.filters) {
        filters.append(FilterLine(filter));
        if (selected.isEmpty() && !request.selectedExtension.empty() && filter.extension == request.selectedExtension)
            selected = filters.back();
    }
    if (selected.isEmpty() && !filters.isEmpty()) selected = filters.front();
    QString path;
    if (request.save) {
        // The suggested name in the folder to start from.
        QString name = ToQString(request.suggestedName);
        if (!start.isEmpty()) name = QDir(start).filePath(name);
        path = QFileDialog::getSaveFileName(owner, ToQString(request.caption), name, filters.join(QStringLiteral(";;")),
                                            &selected);
    } else {
        path = QFileDialog::getOpenFileName(owner, ToQString(request.caption), start,
                                            filters.join(QStringLiteral(";;")), &selected);
    }
    if (path.isEmpty()) return std::nullopt;
    std::size_t chosen = request.filters.size();
    for (std::size_t i = 0; i < request.filters.size(); ++i)
        if (FilterLine(request.filters[i]) == selected) {
            chosen = i;
            break;
        }
    // A type that matches every file gives a name no extension.
    if (request.save && QFileInfo(path).suffix().isEmpty() && chosen < request.filters.size() &&
        !request.filters[chosen].extension.empty())
        path += QLatin1Char('.') + ToQString(request.filters[chosen].extension);
    return FileDialogChoice{FromQString(path), TypeOfPath(request.filters, path, chosen)};
}

}  // namespace cvcalc
