#pragma once
// The project data window: six labelled free-text fields, a date and a time.

#include <QWidget>
#include <array>
#include <optional>

class QDateEdit;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTimeEdit;

namespace kivo {

class Texte;

class frmProjekt : public QWidget {
    Q_OBJECT
public:
    explicit frmProjekt(QWidget* parent = nullptr);

    void attach(const Texte& texte);
    // Captions in the current language; a date or time not set becomes now.
    void Form_Activate();
    void recaption();

    QGroupBox* frmRahmen;
    std::array<QLabel*, 6> lblFelder;    // lblFelder(1..6) are [0..5]
    std::array<QLineEdit*, 6> txtFelder; // txtFelder(1..6) are [0..5]
    QLabel* lblDtp;
    QDateEdit* DTPDate;
    QTimeEdit* DTPTime;
    QGroupBox* Frame1;
    QPushButton* cmdSpeichern;
    QPushButton* cmdLoeschen;
    QLabel* lblHinweis; // which character a field refused, and why

signals:
    // "Speichern": the main window writes Projektdaten.ini.
    void saveRequested();
    // Closed, saved or not.
    void hidden();

protected:
    void hideEvent(QHideEvent* event) override;

private:
    void cmdLoeschen_Click();
    // A field refused `character` (nullopt: nothing to say).
    void showRefused(const std::optional<QString>& character);
    const Texte* texte = nullptr;
    std::optional<QString> refused;
};

} // namespace kivo
