// Pop-up menus over QMenu and file dialogs over QFileDialog.
#include "platform/gui/UserChoice.h"

#include <QtCore/QDir>
#include <QtCore/QFileInfo>
#include <QtGui/QAction>
#include <QtWidgets/QFileDialog>
#include <QtWidgets/QMenu>

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

QString FilterLine(const FileFilter& filter) {
    if (filter.extension.empty()) return ToQString(filter.label) + QStringLiteral(" (*)");
    return ToQString(filter.label) + QStringLiteral(" (*.") + ToQString(filter.extension) + QLatin1Char(')');
}
}  // namespace

void SetPopupMenuResponder(PopupMenuResponder responder) { MenuResponder() = std::move(responder); }

void SetFileDialogResponder(FileDialogResponder responder) { DialogResponder() = std::move(responder); }

int TrackPopupMenu(const PopupMenuRequest& request) {
    if (MenuResponder()) {
        const int chosen = MenuResponder()(request);
        return chosen >= 0 && std::size_t(chosen) < request.items.size() && request.items[std::size_t(chosen)].enabled
                   ? chosen
                   : -1;
    }
    QWidget* widget = WidgetOf(request.window);
    if (widget == nullptr) return -1;
    QMenu menu(widget);
    menu.setToolTipsVisible(true);
    std::vector<QAction*> actions;
    for (const PopupMenuItem& item : request.items) {
        QAction* action = menu.addAction(ToQString(item.caption));
        action->setToolTip(ToQString(item.tip));
        action->setEnabled(item.enabled);
        actions.push_back(action);
    }
    QAction* chosen = menu.exec(widget->mapToGlobal(QPoint(request.x, request.y)));
    for (std::size_t i = 0; i < actions.size(); ++i)
        if (actions[i] == chosen) return int(i);
    return -1;
}

std::optional<std::string> AskFileName(const FileDialogRequest& request) {
    if (DialogResponder()) return DialogResponder()(request);
    QWidget* owner = WidgetOf(request.owner);
    const QString start = ToQString(request.startFolder);
    if (request.chooseFolder) {
        const QString folder = QFileDialog::getExistingDirectory(owner, ToQString(request.caption), start);
        if (folder.isEmpty()) return std::nullopt;
        return FromQString(folder);
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
    if (request.save && QFileInfo(path).suffix().isEmpty()) {
        for (const FileFilter& filter : request.filters)
            if (FilterLine(filter) == selected && !filter.extension.empty()) {
                path += QLatin1Char('.') + ToQString(filter.extension);
                break;
            }
    }
    return FromQString(path);
}

}  // namespace cvcalc
