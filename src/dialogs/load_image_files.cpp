#include "dialogs/load_image_files.h"

#include "document/tamvel_doc.h"
#include "resources/icons.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QVBoxLayout>
#include <QtConcurrent/QtConcurrentMap>

#include <algorithm>

CLoadImageFiles::CLoadImageFiles(const CTamvelDoc &doc, QWidget *parent)
    : QDialog(parent, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint)
{
    setAttribute(Qt::WA_ShowWithoutActivating);
    auto *icon = new QLabel(this);
    icon->setPixmap(resources::ProgramIcon().pixmap(32, 32));
    title_ = new QLabel(doc.GetTitle(), this);
    auto *texts = new QVBoxLayout;
    texts->addWidget(title_);
    texts->addWidget(new QLabel(QStringLiteral("Chargement des images en cours..."), this));
    auto *layout = new QHBoxLayout(this);
    layout->addWidget(icon);
    layout->addLayout(texts);
}

void CLoadImageFiles::SetTitle(const QString &title)
{
    title_->setText(title);
}

void CLoadImageFiles::keyPressEvent(QKeyEvent *event)
{
    // Escape leaves it up: it goes when the photos are there. A close (the program quitting)
    // is never refused, or the quit would be cancelled.
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

namespace {

constexpr int kSlots = 2 + month_photos::kCount;

} // namespace

PhotoLoader::PhotoLoader(CTamvelDoc &doc, QWidget *window, Decoder decode, MonthDecoder decodeMonth)
    : doc_(doc), window_(window), decode_(std::move(decode)), decodeMonth_(std::move(decodeMonth))
{
    pool_.setMaxThreadCount(2);
    connect(&watcher_, &QFutureWatcher<PhotoLoad>::finished, this, &PhotoLoader::Deliver);
    connect(&watcher_, &QFutureWatcher<PhotoLoad>::resultReadyAt, this, [this](int index) {
        if (busy_ && doc_.Generation() == generation_ && Place(index) && doc_.UpdateAllViews)
            doc_.UpdateAllViews();
    });
}

PhotoLoader::~PhotoLoader()
{
    stop_.request_stop();
    watcher_.waitForFinished();
    delete progress_;
}

void PhotoLoader::Start()
{
    // The photos of the year left are of no use any more: their decoders stop at once instead of
    // holding the threads the new year's photos need.
    stop_.request_stop();
    stop_ = std::stop_source();
    generation_ = doc_.Generation();
    busy_ = true;
    placed_.assign(kSlots, false);
    // The names are copied: the tasks share nothing with the document.
    QList<QString> names{doc_.Image1, doc_.Image2};
    for (const QString &name : doc_.MonthImages)
        names << name;
    QList<int> indices;
    for (int i = 0; i < kSlots; ++i)
        indices << i;
    watcher_.setFuture(QtConcurrent::mapped(
        &pool_, indices, [names, decode = decode_, decodeMonth = decodeMonth_, stop = stop_.get_token()](int index) {
            return index < 2 ? decode(names[index], stop) : decodeMonth(names[index], index - 2, stop);
        }));
    const bool any = std::any_of(names.begin(), names.end(), [](const QString &name) { return !name.isEmpty(); });
    if (window_ == nullptr || !window_->isVisible() || !any) {
        if (progress_ != nullptr)
            progress_->hide();
        return;
    }
    // One window for every year changed to while photos load: once painted, it only changes
    // its title, where a new window each time would show an empty box until painted.
    if (progress_ == nullptr)
        progress_ = new CLoadImageFiles(doc_, window_);
    progress_->SetTitle(doc_.GetTitle());
    progress_->show();
}

void PhotoLoader::Wait()
{
    if (!busy_)
        return;
    watcher_.waitForFinished();
    Deliver();
}

void PhotoLoader::Deliver()
{
    // The watcher's signal may still come after Wait delivered.
    if (!busy_ || !watcher_.isFinished())
        return;
    busy_ = false;
    if (progress_ != nullptr)
        progress_->hide();
    if (doc_.Generation() != generation_ || watcher_.future().resultCount() != kSlots)
        return;
    // One repaint a delivery: none more when every photo already showed as it came.
    bool repaint = std::none_of(placed_.begin(), placed_.end(), [](bool placed) { return placed; });
    for (int i = 0; i < kSlots; ++i) {
        if (!placed_[static_cast<std::size_t>(i)])
            repaint = Place(i) || repaint;
    }
    if (repaint && doc_.UpdateAllViews)
        doc_.UpdateAllViews();
    emit Delivered();
    for (int i = 0; i < kSlots; ++i)
        ShowLoadMessages(watcher_.future().resultAt(i).messages);
}

bool PhotoLoader::Place(int index)
{
    placed_[static_cast<std::size_t>(index)] = true;
    const QImage image = watcher_.future().resultAt(index).image;
    // A slot left empty stays as it is: no repaint for nothing.
    if (image.isNull())
        return false;
    Photo &slot = index == 0   ? doc_.Photo1
                  : index == 1 ? doc_.Photo2
                               : doc_.MonthPhotos[static_cast<std::size_t>(index - 2)];
    slot = Photo(image);
    return true;
}
