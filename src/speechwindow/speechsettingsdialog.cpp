#include "speechsettingsdialog.h"

#include "speech/speaker.h"
#include "speech/speechoutput.h"
#include "usermessages/usermessages.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QPushButton>
#include <QSlider>

namespace {

const QString kSample = QStringLiteral("テンジ ノ ヨミアゲ デス。");

} // namespace

SpeechSettingsDialog::SpeechSettingsDialog(QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("speechSettings"));
    setWindowTitle(QStringLiteral("読み上げの設定"));

    m_rate = new QSlider(Qt::Horizontal, this);
    m_rate->setObjectName(QStringLiteral("speechRate"));
    m_rate->setRange(-10, 10);
    m_rate->setPageStep(2);
    m_rate->setTickPosition(QSlider::TicksBelow);
    m_rate->setValue(SpeechOutput::savedRate());
    m_rate->setAccessibleName(QStringLiteral("読み上げの速さ"));
    m_rate->setAccessibleDescription(QStringLiteral("-10 がもっとも遅く、10 がもっとも速い"));

    m_voice = new QComboBox(this);
    m_voice->setObjectName(QStringLiteral("speechVoice"));
    m_voice->setAccessibleName(QStringLiteral("声"));
    m_voice->addItem(QStringLiteral("標準"), QString());
    Speaker *speaker = SpeechOutput::instance().speaker();
    if (speaker && speaker->isAvailable()) {
        for (const QString &voice : speaker->voices())
            m_voice->addItem(voice, voice);
    }
    const int saved = m_voice->findData(SpeechOutput::savedVoice());
    m_voice->setCurrentIndex(saved < 0 ? 0 : saved);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    QPushButton *tryButton = buttons->addButton(QStringLiteral("試しに読む(&T)"), QDialogButtonBox::ActionRole);
    tryButton->setObjectName(QStringLiteral("speechTry"));
    tryButton->setAccessibleName(QStringLiteral("試しに読む"));
    tryButton->setEnabled(speaker && speaker->isAvailable());
    connect(tryButton, &QPushButton::clicked, this, &SpeechSettingsDialog::tryOut);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto *form = new QFormLayout(this);
    auto *rateLabel = new QLabel(QStringLiteral("速さ(&R):"), this);
    rateLabel->setBuddy(m_rate);
    auto *voiceLabel = new QLabel(QStringLiteral("声(&V):"), this);
    voiceLabel->setBuddy(m_voice);
    form->addRow(rateLabel, m_rate);
    form->addRow(voiceLabel, m_voice);
    if (!speaker || !speaker->isAvailable()) {
        auto *missing = new QLabel(
            UserMessages::speechMessage(speaker ? speaker->unavailableReason() : SpeechProblem{SpeechProblem::Error::NoSpeaker}),
            this);
        missing->setObjectName(QStringLiteral("speechMissing"));
        missing->setWordWrap(true);
        form->addRow(missing);
    }
    form->addRow(buttons);
}

void SpeechSettingsDialog::tryOut()
{
    Speaker *speaker = SpeechOutput::instance().speaker();
    if (!speaker)
        return;
    speaker->setRate(m_rate->value() / 10.0);
    speaker->setVoice(m_voice->currentData().toString());
    speaker->say(kSample);
}

void SpeechSettingsDialog::accept()
{
    SpeechOutput::saveRate(m_rate->value());
    SpeechOutput::saveVoice(m_voice->currentData().toString());
    SpeechOutput::instance().applySettings();
    QDialog::accept();
}

void SpeechSettingsDialog::reject()
{
    SpeechOutput::instance().applySettings();
    QDialog::reject();
}
