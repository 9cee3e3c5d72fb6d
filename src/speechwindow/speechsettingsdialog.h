#pragma once

#include <QDialog>

class QComboBox;
class QSlider;

// 読み上げの設定: the rate and the voice of reading aloud, kept in the
// settings when the user chooses OK; 試しに読む lets them hear the choice
// first.
class SpeechSettingsDialog : public QDialog
{
    Q_OBJECT

public:
    explicit SpeechSettingsDialog(QWidget *parent = nullptr);

    QSlider *rateSlider() const { return m_rate; }
    QComboBox *voiceBox() const { return m_voice; }

    void accept() override;
    // The engine goes back to the kept rate and voice after a try.
    void reject() override;

private:
    void tryOut();

    QSlider *m_rate = nullptr;
    QComboBox *m_voice = nullptr;
};
