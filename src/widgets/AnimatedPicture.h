#pragma once

#include <QLabel>

class QMovie;

// A picture that plays an animated image file, such as the please-wait
// animation. A file that cannot be read leaves the picture empty.
class AnimatedPicture : public QLabel {
    Q_OBJECT

public:
    explicit AnimatedPicture(QWidget* parent = nullptr);

    // Loads the file and starts playing it; false when it is no readable animation.
    bool load(const QString& path);
    bool isPlaying() const;

private:
    QMovie* m_movie = nullptr;
};
