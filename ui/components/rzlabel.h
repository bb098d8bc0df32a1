#pragma once
// A label whose text looks raised or recessed, drawn with the platform's
// button shadow and highlight colours.
#include <QLabel>

enum TTextStyle { tsNone, tsRaised, tsRecessed };

class TRzLabel : public QLabel {
    Q_OBJECT
public:
    explicit TRzLabel(QWidget *parent = nullptr);
    explicit TRzLabel(const QString &texte, QWidget *parent = nullptr);

    TTextStyle TextStyle() const { return m_style; }
    void setTextStyle(TTextStyle s);
    // A transparent label leaves its parent's background visible.
    bool Transparent() const { return m_transparent; }
    void setTransparent(bool oui);
    // "&" marks an accelerator unless this is off.
    bool ShowAccelChar() const { return m_accel; }
    void setShowAccelChar(bool oui);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent *e) override;

private:
    int drapeaux() const;

    TTextStyle m_style = tsRecessed;
    bool m_transparent = false;
    bool m_accel = true;
};
