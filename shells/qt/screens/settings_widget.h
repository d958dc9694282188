// The settings screen: tabs "General", "Skin" and "Sound" over the settings screen model. Every control
// calls the model through the screen interface (the same calls a headless run makes) and is set again
// from the model's description after each change.
#pragma once

#include <QWidget>

class GuiContext;
class ScreenModel;
class QTabWidget;
class QCheckBox;
class QSlider;
class QLabel;
class QListWidget;
class QPushButton;
class QButtonGroup;
class SkinPreview;

class SettingsWidget : public QWidget {
    Q_OBJECT
  public:
    SettingsWidget(ScreenModel& model, GuiContext& context, QWidget* parent = nullptr);
    ~SettingsWidget() override;
    void refresh();

  private:
    QWidget* buildGeneral();
    QWidget* buildSkin();
    QWidget* buildSound();
    QButtonGroup* segments(QWidget* parent, const char* control, const QStringList& labels, QLayout* into);

    ScreenModel& m_model;
    GuiContext& m_context;
    bool m_updating = false;
    QTabWidget* m_tabs;
    QCheckBox* m_tooltip;
    QSlider* m_digits;
    QLabel* m_digitsLabel;
    QButtonGroup* m_inputMode;
    QButtonGroup* m_outputMode;
    QButtonGroup* m_fraction;
    QListWidget* m_skins;
    SkinPreview* m_preview;
    QCheckBox* m_sound;
    QListWidget* m_sounds;
    QPushButton* m_play;
};
