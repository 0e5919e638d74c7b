#include "widgets/AnimatedPicture.h"

#include <QMovie>

AnimatedPicture::AnimatedPicture(QWidget* parent)
    : QLabel(parent)
{
    setAlignment(Qt::AlignCenter);
}

bool AnimatedPicture::load(const QString& path)
{
    if (m_movie) {
        setMovie(nullptr);
        delete m_movie;
        m_movie = nullptr;
    }
    auto* movie = new QMovie(path, QByteArray(), this);
    if (!movie->isValid()) {
        delete movie;
        return false;
    }
    m_movie = movie;
    setMovie(m_movie);
    m_movie->start();
    return true;
}

bool AnimatedPicture::isPlaying() const
{
    return m_movie && m_movie->state() == QMovie::Running;
}
