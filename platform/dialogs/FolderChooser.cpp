#include "platform/dialogs/FolderChooser.h"

#include <QFileDialog>
#include <QString>

#include "platform/gui/Controls.h"

namespace {
class DesktopFolderChooser : public IFolderChooser {
public:
    AnsiString ChooseFolder(const AnsiString& startFolder, const AnsiString& title, TWinControl* owner) override {
        QWidget* parent = owner ? owner->Widget()->window() : nullptr;
        const QString chosen = QFileDialog::getExistingDirectory(parent, QString::fromStdString(title),
                                                                 QString::fromStdString(startFolder),
                                                                 QFileDialog::ShowDirsOnly);
        return chosen.toStdString();
    }
};

DesktopFolderChooser desktopChooser;
IFolderChooser* current = &desktopChooser;
}  // namespace

IFolderChooser& FolderChooser() { return *current; }

void SetFolderChooser(IFolderChooser* chooser) { current = chooser ? chooser : &desktopChooser; }
