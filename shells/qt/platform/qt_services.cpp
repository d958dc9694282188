#include "qt/platform/qt_services.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>
#include <QSoundEffect>
#include <QUrl>

void QtAlerts::show(const AlertRequest& request, std::function<void(int)> onAnswer) {
    auto* box = new QMessageBox(m_parent);
    box->setWindowTitle(QString::fromStdString(request.title));
    box->setText(QString::fromStdString(request.title));
    box->setInformativeText(QString::fromStdString(request.message));
    box->setIcon(QMessageBox::NoIcon);
    box->setWindowModality(m_parent ? Qt::WindowModal : Qt::ApplicationModal);
    box->setAttribute(Qt::WA_DeleteOnClose);
    std::vector<QAbstractButton*> buttons;
    for (size_t i = 0; i < request.buttons.size(); ++i) {
        const auto role = i == 0 ? QMessageBox::AcceptRole : QMessageBox::RejectRole;
        buttons.push_back(box->addButton(QString::fromStdString(request.buttons[i]), role));
    }
    if (buttons.empty()) buttons.push_back(box->addButton(QMessageBox::Ok));
    // Each answer once, after the box has gone, from the loop.
    auto answered = std::make_shared<bool>(false);
    auto deliver = [this, onAnswer, answered](int index) {
        if (*answered) return;
        *answered = true;
        // An alert that only informs ("Updated successfully!") comes without a callback.
        m_loop.after(0, [onAnswer, index] {
            if (onAnswer) onAnswer(index);
        });
    };
    QObject::connect(box, &QMessageBox::buttonClicked, box, [buttons, deliver](QAbstractButton* b) {
        for (size_t i = 0; i < buttons.size(); ++i)
            if (buttons[i] == b) deliver(static_cast<int>(i));
    });
    QObject::connect(box, &QDialog::finished, box, [deliver](int) { deliver(-1); });
    m_box = box;
    box->open();
}

QMessageBox* QtAlerts::openBox() const {
    return m_box && m_box->isVisible() ? m_box.data() : nullptr;
}

bool QtUrlOpener::open(const std::string& url) {
    return QDesktopServices::openUrl(QUrl(QString::fromStdString(url)));
}

QtFeedback::QtFeedback() = default;
QtFeedback::~QtFeedback() = default;

void QtFeedback::setClickSound(const std::string& path) {
    m_clickPath = path;
}

QSoundEffect* QtFeedback::effectFor(std::unique_ptr<QSoundEffect>& slot, std::string& loaded,
                                    const std::string& path) {
    if (m_muted || path.empty()) return nullptr;
    if (path != loaded) {
        loaded = path;
        if (!QFileInfo::exists(QString::fromStdString(path))) {
            slot.reset();
            return nullptr;
        }
        if (!slot) {
            slot = std::make_unique<QSoundEffect>();
            slot->setVolume(0.6f);
        }
        slot->setSource(QUrl::fromLocalFile(QString::fromStdString(path)));
    }
    return slot.get();
}

void QtFeedback::click() {
    if (QSoundEffect* e = effectFor(m_click, m_loadedClick, m_clickPath)) e->play();
}

void QtFeedback::playSound(const std::string& path) {
    if (QSoundEffect* e = effectFor(m_play, m_loadedPlay, path)) e->play();
}

void QtFeedback::vibrate() {
    if (onVibrate) onVibrate();
}
