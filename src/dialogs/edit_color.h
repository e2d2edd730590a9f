#pragma once

#include "platform/draw_surface.h"

#include <QDialog>

#include <array>
#include <optional>

struct AppSettings;
class QLineEdit;
class QPushButton;

// Edits the two background colours, shown as six hexadecimal digits of 0x00BBGGRR values, and
// the 16 custom colours of the colour picker; OK stores them at once.
class CEditColor : public QDialog
{
    Q_OBJECT

public:
    using CustomColours = std::array<platform::ColorRef, 16>;
    static constexpr platform::ColorRef kDefaultSemMois = 0xDFDFDF;
    static constexpr platform::ColorRef kDefaultNTrav = 0xCFCFCF;

    explicit CEditColor(AppSettings &app, QWidget *parent = nullptr);

    QLineEdit *Colour1Edit() const { return colour1_; }
    QLineEdit *Colour2Edit() const { return colour2_; }
    QPushButton *OkButton() const { return okButton_; }
    QPushButton *Picker1() const { return picker1_; }
    QPushButton *Picker2() const { return picker2_; }
    QPushButton *ResetButton() const { return resetButton_; }
    const CustomColours &CustomColoursShown() const { return custom_; }

    // The value of a colour text: one hexadecimal number up to 0xFFFFFF and nothing after it.
    static std::optional<platform::ColorRef> ParseColour(const QString &text);
    static QString FormatColour(platform::ColorRef colour);

    // Validation, on every edit of either text by the user.
    void OnChangeColor();
    // The "..." buttons: the colour picker, starting from the text's colour.
    void OnPicker1();
    void OnPicker2();
    // Default colours and custom colours back in the dialog; nothing is stored before OK.
    void OnReinitialiser();
    // Stores both colours and the custom colours and closes; stays open on an invalid text.
    void OnOK();

    void accept() override { OnOK(); }

private:
    void OnInitDialog();
    void Pick(QLineEdit *edit, platform::ColorRef fallback);

    AppSettings &app_;
    CustomColours custom_{};
    QLineEdit *colour1_ = nullptr;
    QLineEdit *colour2_ = nullptr;
    QPushButton *okButton_ = nullptr;
    QPushButton *picker1_ = nullptr;
    QPushButton *picker2_ = nullptr;
    QPushButton *resetButton_ = nullptr;
};
