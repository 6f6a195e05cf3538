#include "accounts/Accountset.h"

#include "draw/Dialogs.h"
#include "draw/Photo.h"
#include "draw/Assets.h"
#include "draw/Controls.h"
#include "draw/Image.h"
#include "draw/ImageList.h"
#include "draw/Korvandraw.h"
#include "lang/Multilan.h"
#include "store/Databasecontroler.h"
#include "store/Textfile.h"

#include <QDir>
#include <QFileDialog>
#include <QFrame>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStandardPaths>

bool GenderIsMale = true;

namespace {

// The open-picture dialog's filter: description|patterns pairs.
const char *const PictureFilter =
    "All (*.jpg;*.jpeg;*.bmp;*.ico;*.emf;*.wmf)|*.jpg;*.jpeg;*.bmp;|JPEG Image File (*.jpg)|*.jpg|"
    "JPEG Image File (*.jpeg)|*.jpeg|Bitmaps (*.bmp)|*.bmp";

bool IdCharacter(QChar c)
{
    const char16_t u = c.unicode();
    return (u >= '0' && u <= '9') || (u >= 'A' && u <= 'Z') || (u >= 'a' && u <= 'z') || u == ' ';
}

// A usable ID: ASCII letters, digits and spaces, and not spaces only.
bool ValidId(const QString &id)
{
    bool nonSpace = false;
    for (QChar c : id) {
        if (!IdCharacter(c))
            return false;
        nonSpace = nonSpace || c != ' ';
    }
    return nonSpace;
}

// Extension of a file name, dot included, letter case as written.
QString Extension(const QString &path)
{
    const QString name = QFileInfo(path).fileName();
    const qsizetype dot = name.lastIndexOf('.');
    return dot < 0 ? QString() : name.mid(dot);
}

// Screen rectangle of a control, "inside" meaning strictly inside.
bool StrictlyInside(const QWidget *w, const QPoint &p)
{
    const QPoint tl = w->mapToGlobal(QPoint(0, 0));
    return tl.x() < p.x() && p.x() < tl.x() + w->width() && tl.y() < p.y() && p.y() < tl.y() + w->height();
}

} // namespace

// Typed characters of UserIDEdit: keys and input-method commits.
class TUserAccountSetForm::KeyFilter : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::KeyPress) {
            const auto *key = static_cast<QKeyEvent *>(event);
            // Shortcuts (Ctrl, Meta) are commands, not typed characters.
            if (key->modifiers() & (Qt::ControlModifier | Qt::MetaModifier))
                return false;
            for (QChar c : key->text())
                if (c.isPrint() && !UserIDEditKeyPress(c))
                    return true;
        } else if (event->type() == QEvent::InputMethod) {
            auto *im = static_cast<QInputMethodEvent *>(event);
            QString kept;
            for (QChar c : im->commitString())
                if (UserIDEditKeyPress(c))
                    kept += c;
            if (kept != im->commitString())
                im->setCommitString(kept);
        }
        return false;
    }
};

TUserAccountSetForm *UserAccountSetForm = nullptr;

TUserAccountSetForm::TUserAccountSetForm(const TWindowServices &services, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint), services_(services)
{
    setObjectName("UserAccountSetForm");
    CreateControls();
    setFixedSize(AccountBGImage->size());
    move(CentredOnScreen(size()));
    GenderCode = 0;
    PhotoKind = 0;
    FormCreate();
    ApplicationEvents1 = new TAppEventHook(this, [this](QObject *receiver, QEvent *event) {
        ApplicationEvents1Message(receiver, event);
    });
    ApplicationEvents1->setObjectName("ApplicationEvents1");
}

TUserAccountSetForm::~TUserAccountSetForm()
{
    // The hook must not reach this window while its widgets are destroyed.
    delete ApplicationEvents1;
}

void TUserAccountSetForm::CreateControls()
{
    AccountBGImage = NewPicture(this, "AccountBGImage", QRect(0, 0, 521, 321));
    UsersPhotoLab = NewLabel(this, "UsersPhotoLab", "User's Photo", QRect(24, 12, 152, 20));
    AccountImage = NewPicture(this, "AccountImage", QRect(24, 34, 152, 182));
    AccountImage->Stretch = true;
    MImage = NewPicture(this, "MImage", QRect(0, 0, 152, 182));
    MImage->SetPicture(AssetImage("MalePhoto"));
    MImage->hide();
    FImage = NewPicture(this, "FImage", QRect(0, 0, 152, 182));
    FImage->SetPicture(AssetImage("FemalePhoto"));
    FImage->hide();
    ChangePhotoBtn = NewButton(this, "ChangePhotoBtn", "Change Photo", QRect(24, 226, 152, 30));
    UserIDLab = NewLabel(this, "UserIDLab", "User ID", QRect(204, 34, 290, 20));
    UserIDEdit = new QLineEdit(this);
    UserIDEdit->setObjectName("UserIDEdit");
    UserIDEdit->setGeometry(204, 56, 290, 28);
    UserIDEdit->installEventFilter(new KeyFilter(UserIDEdit));

    GenderShape = new QFrame(this);
    GenderShape->setObjectName("GenderShape");
    GenderShape->setGeometry(204, 112, 290, 100);
    GenderShape->setFrameShape(QFrame::Box);
    lbl_gender = new QLabel("Gender", this);
    lbl_gender->setObjectName("lbl_gender");
    SetBold(lbl_gender);
    // Lies in the gap of the frame's top edge; its background continues the
    // window gradient so the frame line does not run through the text.
    const int labelTop = GenderShape->y() - 9;
    auto grey = [](int row) { return TKorvanDraw::BlendColor(0x404040, 0xCCCCCC, 321, uint32_t(row)) & 0xFF; };
    lbl_gender->setStyleSheet(QStringLiteral("color: #0000FF; padding: 0 3px; background: qlineargradient("
                                             "x1:0, y1:0, x2:0, y2:1, stop:0 rgb(%1,%1,%1), stop:1 rgb(%2,%2,%2));")
                                  .arg(grey(labelTop)).arg(grey(labelTop + 18)));
    lbl_gender->move(GenderShape->x() + 10, labelTop);
    lbl_gender->setFixedHeight(18);

    RadioImgList = &AssetList("RadioImgList");
    MRadioImg = NewPicture(this, "MRadioImg", QRect(230, 148, 28, 28));
    MSelectImg = NewPicture(this, "MSelectImg", QRect(266, 146, 32, 32));
    MSelectImg->SetPicture(AssetImage("MaleSymbol"));
    FRadioImg = NewPicture(this, "FRadioImg", QRect(362, 148, 28, 28));
    FSelectImg = NewPicture(this, "FSelectImg", QRect(398, 146, 32, 32));
    FSelectImg->SetPicture(AssetImage("FemaleSymbol"));
    for (TImage *radio : {MRadioImg, FRadioImg}) {
        radio->setCursor(Qt::PointingHandCursor);
        radio->setMouseTracking(true);
    }

    OKBtn = NewButton(this, "OKBtn", "YES", QRect(204, 266, 140, 34));
    OKBtn->setDefault(true);
    CancelBtn = NewButton(this, "CancelBtn", "Cancel", QRect(354, 266, 140, 34));

    connect(ChangePhotoBtn, &QPushButton::clicked, this, &TUserAccountSetForm::ChangePhotoBtnClick);
    connect(OKBtn, &QPushButton::clicked, this, &TUserAccountSetForm::OKBtnClick);
    connect(CancelBtn, &QPushButton::clicked, this, &TUserAccountSetForm::CancelBtnClick);
    connect(MRadioImg, &TImage::clicked, this, &TUserAccountSetForm::MRadioImgClick);
    connect(FRadioImg, &TImage::clicked, this, &TUserAccountSetForm::FRadioImgClick);
}

void TUserAccountSetForm::FormCreate()
{
    RefreshCaptions();
    TKorvanDraw draw;
    draw.FillGradient(AccountBGImage, 0x404040, 0xCCCCCC, 0);
    // Qt widgets are always double-buffered.
    if (GenderShape->isVisibleTo(this)) {
        const QRect r = GenderShape->geometry();
        draw.DrawFrameLabel(AccountBGImage, r.left(), r.top(), r.left() + r.width(), r.top() + r.height(),
                            0xFFFFFF, std::string(8, ' '));
        GenderShape->hide();
    }
    ResetChoice();
}

void TUserAccountSetForm::RefreshCaptions()
{
    const MultiLanguage &lang = *services_.MultiLang;
    setWindowTitle(lang.CL("Create New Account"));
    UserIDLab->setText(lang.CL("User ID"));
    UsersPhotoLab->setText(lang.CL("User's Photo"));
    lbl_gender->setText(lang.CL("Gender"));
    lbl_gender->adjustSize();
    CancelBtn->setText(lang.CL("Cancel"));
    ChangePhotoBtn->setText(lang.CL("Change Photo"));
    OKBtn->setText(lang.CL("YES"));
}

void TUserAccountSetForm::ShowBuiltInPhoto(bool male)
{
    AccountImage->SetPicture((male ? MImage : FImage)->Picture());
    shownJpeg_ = AssetData(male ? "MalePhoto" : "FemalePhoto");
}

void TUserAccountSetForm::DrawRadios()
{
    RadioImgList->Draw(MRadioImg, GenderIsMale ? 1 : 0);
    RadioImgList->Draw(FRadioImg, GenderIsMale ? 0 : 1);
}

void TUserAccountSetForm::ResetChoice()
{
    PhotoChosen = false;
    ShowBuiltInPhoto(true);
    GenderIsMale = true;
    DrawRadios();
}

bool TUserAccountSetForm::UserIDEditKeyPress(QChar key)
{
    return IdCharacter(key) || key.unicode() == 8;
}

QString TUserAccountSetForm::PhotoFolder() const
{
    if (!lastPhotoFolder_.isEmpty() && QDir(lastPhotoFolder_).exists())
        return lastPhotoFolder_;
    const QString pictures = QStandardPaths::writableLocation(QStandardPaths::PicturesLocation);
    return !pictures.isEmpty() && QDir(pictures).exists() ? pictures : QDir::homePath();
}

void TUserAccountSetForm::ChangePhotoBtnClick()
{
    // A new dialog for each choice (the desktop's own where the platform
    // offers one), gone when it returns: nothing of it, such as the pop-up
    // of its file name completer, outlives the choice.
    QFileDialog dialog(this, QString(), PhotoFolder());
    dialog.setObjectName("OpenAccountPictureDialog");
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setOption(QFileDialog::HideNameFilterDetails, true);
    dialog.setNameFilters(DialogNameFilters(PictureFilter));
    OpenAccountPictureDialog = &dialog;
    const bool chosen = dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty();
    OpenAccountPictureDialog = nullptr;
    if (!chosen)
        return;
    const QString path = dialog.selectedFiles().first();
    lastPhotoFolder_ = QFileInfo(path).absolutePath();
    const QString ext = Extension(path);
    LoadedPhoto photo;
    if (!LoadPhotoFile(path.toStdString(), photo)) {
        ShowErrorBox(this, "The picture could not be loaded!", "Error", true);
        return;
    }
    AccountImage->SetPicture(photo.image);
    shownJpeg_ = photo.jpeg;
    if (ext == ".jpg" || ext == ".jpeg") {
        PhotoKind = 0;
        PhotoChosen = true;
    } else if (ext == ".bmp") {
        PhotoKind = 1;
        PhotoChosen = true;
    } else {
        PhotoKind = 255;
    }
}

void TUserAccountSetForm::MRadioImgClick()
{
    if (GenderIsMale)
        return;
    GenderIsMale = true;
    DrawRadios();
    if (!PhotoChosen)
        ShowBuiltInPhoto(true);
}

void TUserAccountSetForm::FRadioImgClick()
{
    if (!GenderIsMale)
        return;
    GenderIsMale = false;
    DrawRadios();
    if (!PhotoChosen)
        ShowBuiltInPhoto(false);
}

void TUserAccountSetForm::ApplicationEvents1Message(QObject *receiver, QEvent *event)
{
    // One pointer move reaches the filter once per receiver (window, widget,
    // parents): react to the window's copy only.
    if (event->type() != QEvent::MouseMove || !receiver->isWindowType())
        return;
    const QPoint p = static_cast<QMouseEvent *>(event)->globalPosition().toPoint();
    TImage *target = nullptr;
    int index = 0;
    if (StrictlyInside(MRadioImg, p)) {
        if (GenderIsMale)
            return;
        target = MRadioImg;
        index = 2;
    } else if (StrictlyInside(FRadioImg, p)) {
        if (!GenderIsMale)
            return;
        target = FRadioImg;
        index = 2;
    } else {
        target = GenderIsMale ? FRadioImg : MRadioImg;
    }
    RadioImgList->Show(target, index);
}

bool TUserAccountSetForm::WriteRiderFiles(const std::string &id)
{
    const std::string folder = services_.DataBase->RootFolder + id + "/";
    QByteArray photo = shownJpeg_;
    std::string photoName = id + ".JPG";
    // Only JPEG data is stored unchanged; anything else is converted.
    if (PhotoKind != 0 || photo.isEmpty()) {
        photo = EncodeJpegImage(AccountImage->Picture(), 90);
        photoName = id + ".jpg";
    }
    if (photo.isEmpty()
        || WriteFileAtomic(folder + photoName, std::string(photo.constData(), std::size_t(photo.size()))) == 1)
        return false;
    GenderCode = GenderIsMale ? 0 : 1;
    // Written is enough for the account: an unconfirmed sync does not undo it.
    return WriteFileAtomic(folder + id + ".dat", "Genter=" + std::to_string(GenderCode) + "\r\n") != 1;
}

void TUserAccountSetForm::OKBtnClick()
{
    // The whole text is checked: a pasted ID can hold anything.
    if (!ValidId(UserIDEdit->text())) {
        ShowErrorBox(this, "User neme input not correct!", "Error", true);
        return;
    }
    const std::string id = UserIDEdit->text().toStdString();
    TKorvanDataBase &db = *services_.DataBase;
    if (db.CreateRiderFolder(id)) {
        ShowErrorBox(this, "User neme already exists!", "Error", true);
        return;
    }
    if (!WriteRiderFiles(id)) {
        // Remove what this attempt created so the same ID can be tried again.
        db.DeleteRider(id);
        ShowErrorBox(this, "The new account could not be saved!", "Error", true);
        return;
    }
    ResetChoice();
    close();
}

void TUserAccountSetForm::CancelBtnClick()
{
    ResetChoice();
    close();
}

void TUserAccountSetForm::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    // Each opening starts with an empty ID, ready for typing.
    UserIDEdit->clear();
    UserIDEdit->setFocus();
}

void TUserAccountSetForm::closeEvent(QCloseEvent *event)
{
    if (!TakeOutsideClose(this, event, [this] { CancelBtnClick(); }))
        QDialog::closeEvent(event);
}

void TUserAccountSetForm::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape) {
        CancelBtnClick();
        return;
    }
    QDialog::keyPressEvent(event);
}
