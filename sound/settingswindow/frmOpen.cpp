#include "frmOpen.h"

#include <QDir>
#include <QMessageBox>
#include <QStorageInfo>

#include "platform/folders/ProgramFolder.h"
#include "platform/widgets/Twips.h"
#include "platform/windows/WindowFrame.h"

namespace {
QRect Tw(int l, int t, int w, int h) {
    return QRect(twips::ToPixels(l), twips::ToPixels(t), twips::ToPixels(w), twips::ToPixels(h));
}
}  // namespace

frmOpen::frmOpen(QWidget* owner)
    : QDialog(owner), drvOpen(new QComboBox(this)), dirOpen(new QListWidget(this)), filOpen(new QListWidget(this)) {
    windowframe::FixedDialog(this);
    setObjectName("frmOpen");
    setWindowTitle(QString::fromUtf8("Открыть"));
    setModal(true);
    setFixedSize(twips::ToPixels(5655), twips::ToPixels(4050));
    drvOpen->setObjectName("drvOpen");
    dirOpen->setObjectName("dirOpen");
    filOpen->setObjectName("filOpen");
    drvOpen->setGeometry(Tw(120, 120, 2655, 315));
    dirOpen->setGeometry(Tw(120, 600, 2655, 3240));
    filOpen->setGeometry(Tw(2880, 120, 2655, 3795));
    FillDrives();
    connect(drvOpen, &QComboBox::activated, this, [this] { drvOpen_Change(); });
    connect(dirOpen, &QListWidget::itemActivated, this,
            [this](QListWidgetItem* it) { SetDir(it->data(Qt::UserRole).toString()); });
    connect(filOpen, &QListWidget::itemClicked, this, [this](QListWidgetItem* it) { filOpen_Click(it->text()); });
    connect(filOpen, &QListWidget::itemActivated, this, [this](QListWidgetItem* it) { filOpen_Click(it->text()); });
    SetDir(QDir::currentPath());  // a fresh folder list starts at the current folder
}

// The "drives" here are the mounted volumes, the one holding the program first.
void frmOpen::FillDrives() {
    const QString home = QStorageInfo(ProgramFolder()).rootPath();
    QStringList roots{home};
    for (const QStorageInfo& v : QStorageInfo::mountedVolumes())
        if (!roots.contains(v.rootPath())) roots << v.rootPath();
    for (const QString& r : roots) drvOpen->addItem(r, r);
}

void frmOpen::SetPath(const QString& sPath) {
    if (sPath.isEmpty() || !QDir::setCurrent(sPath)) QDir::setCurrent(ProgramFolder());
    SetDir(QDir::currentPath());
}

void frmOpen::drvOpen_Change() {
    const QString root = drvOpen->currentData().toString();
    const QStorageInfo v(root);
    if (!v.isValid() || !v.isReady() || !QDir(root).isReadable()) {
        QMessageBox::warning(this, windowTitle(), QString::fromUtf8("Устройство не готово"));
        drvOpen->setCurrentIndex(drive_);  // back to the volume of the folder shown
        return;
    }
    drive_ = drvOpen->currentIndex();
    SetDir(root);
}

void frmOpen::SetDir(const QString& path) {
    QDir d(path);
    if (!d.exists()) return;
    dir_ = d.absolutePath();
    // The volume of the folder is the one selected.
    const int i = drvOpen->findData(QStorageInfo(dir_).rootPath());
    if (i >= 0) drvOpen->setCurrentIndex(i);
    drive_ = drvOpen->currentIndex();
    // The folders on the way to it, then its subfolders.
    dirOpen->clear();
    QStringList chain;
    for (QDir up(dir_);;) {
        chain.prepend(up.absolutePath());
        if (up.isRoot() || !up.cdUp()) break;
    }
    int depth = 0;
    for (const QString& p : chain) {
        auto* it = new QListWidgetItem(QString(depth * 2, ' ') + (QDir(p).isRoot() ? p : QDir(p).dirName()), dirOpen);
        it->setData(Qt::UserRole, p);
        ++depth;
    }
    dirOpen->setCurrentRow(dirOpen->count() - 1);
    for (const QString& sub : d.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name)) {
        auto* it = new QListWidgetItem(QString(depth * 2, ' ') + sub, dirOpen);
        it->setData(Qt::UserRole, d.filePath(sub));
    }
    // Files matching *.wav in any letter case.
    filOpen->clear();
    filOpen->addItems(d.entryList({"*.wav"}, QDir::Files, QDir::Name | QDir::IgnoreCase));
}

void frmOpen::filOpen_Click(const QString& name) {
    PathToFile = dir_ + "/" + name;  // at a root this gives two separators, which still opens
    NameFile = name;
    hide();
}

void frmOpen::ShowModal() {
    NameFile.clear();
    PathToFile.clear();
    exec();
}
