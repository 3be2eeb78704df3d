#pragma once
// The payout structure: ten percentages, places 1 to 10, and six presets of
// common tournament structures. The analysis reads it.

#include <QGroupBox>

#include <array>

class QLabel;
class QLineEdit;
class QPushButton;

class PayoutPanel : public QGroupBox {
    Q_OBJECT

public:
    explicit PayoutPanel(QWidget* parent);

    // The value of place 1..10 (index 0..9) in percent, a dot or a comma
    // as the decimal sign; empty or non-numeric text counts as 0.
    double percent(int place) const;
    // The sum of the ten places in percent.
    double total() const;
    // Number of places whose value is greater than 0.
    int paidPlaces() const;
    // Writes "0" into every field and then the given values from place 1 on.
    void setStructure(const QStringList& values);
    // The six presets as button text and values, shared with the ICM calculator.
    struct Preset {
        const char* label;
        QStringList values;
    };
    static const std::array<Preset, 6>& presets();

    const std::array<QLineEdit*, 10>& fields() const { return fields_; }
    const std::array<QPushButton*, 6>& presetButtons() const { return presetButtons_; }
    // Shown while the places do not add up to 100.
    QLabel* totalWarning() const { return totalWarning_; }

signals:
    void structureChanged();

private:
    void checkTotal();

    std::array<QLineEdit*, 10> fields_{};
    QLabel* totalWarning_ = nullptr;
    std::array<QPushButton*, 6> presetButtons_{};
};
