#pragma once

#include "filling/FormDocumentModel.h"
#include "filling/PageAnswer.h"

#include <QObject>
#include <QPointer>

#include <functional>

class QWebEnginePage;

// What a page description gave.
struct WebPageDescription {
    enum class Status {
        Described, // the model holds the page
        NotDescribed, // the page answered nothing usable: the model is empty
        Abandoned, // the page navigated away or is gone: nothing was done
    };
    Status status = Status::Abandoned;
    FormDocumentModel model;
};

// How a run on a page ended.
struct WebFormRun {
    enum class End {
        Applied, // the work ran and its writes were replayed
        NotDescribed, // the work ran on an empty model (the page answered nothing usable)
        Abandoned, // the page navigated away or is gone before the writes landed
    };
    End end = End::Abandoned;
    int applied = 0; // writes that landed
    int skipped = 0; // writes left out: the element changed since, or refused the value
    int fields = 0; // fields that writes landed in
    int recognised = 0; // of them, the fields filled because they were recognised
};

// Runs the core's form filling on the live page of a browser: one script
// describes the page (its same-origin frames included), the work runs on the
// model built from it, a second script replays the model's writes. Everything is
// asynchronous and never waits in a nested event loop. A run whose page starts loading another document, or
// is destroyed, before it is over is abandoned; a run of a destroyed bridge is dropped without a word.
class WebFormBridge : public QObject {
    Q_OBJECT

public:
    using Work = std::function<void(FormDocumentModel&)>;
    using Finished = std::function<void(const WebFormRun&)>;
    using Described = std::function<void(WebPageDescription)>;
    using Counted = std::function<void(int)>;
    using Answered = std::function<void(PageAnswer)>;

    explicit WebFormBridge(QWebEnginePage* page, QObject* parent = nullptr);

    // The description script as the learner runs it: the page description with
    // the page's title, text and links (see readRenderedPage).
    static const QString& learningScript();

    // Describes the page (with its HTML source when asked), runs the work on the
    // model and replays the writes; `finished` is called once afterwards. The
    // fields seen by the description count as offered to a fill from then on.
    void run(Work work, Finished finished = {}, bool withSource = false);
    // Describes the page (with its HTML source when asked).
    void describe(Described described, bool withSource = false);
    // Describes the page that is being left: the script goes out at once, before
    // the next document replaces this one, and its answer stands even though a
    // new load has begun. Should the next document have answered instead, the
    // model's document token tells.
    void describeLeaving(Described described);
    // Reads the page as the answer to a submitted form: a page that followed it,
    // or, with `message`, what appeared on the form's own page since. The script
    // goes out at once, so that it reaches the document shown now even when the
    // page is about to leave it; the answer's token tells which document answered.
    void readAnswer(Answered answered, bool message = false);
    // Submits the form the filling wrote into by its submit button, as a person
    // would; tells whether the page had such a form.
    void submitFilledForm(std::function<void(bool submitted)> done);
    // Counts the fields a person can see that no run has offered and no person
    // edited: fields the page's scripts added or showed since. 0 for a page gone.
    void countLateFields(Counted counted);

private:
    void describeFor(Described described, bool withSource, bool offer);
    void describeElements(quint64 generation, Described described, bool withSource, bool offer);
    void fetchSource(quint64 generation, WebPageDescription description, Described described);
    void replay(const FormDocumentModel& model, Finished finished);
    // Whether a step begun for a generation may still touch the page.
    bool current(quint64 generation) const;
    // Runs a continuation on a later turn of the event loop, never inside a
    // callback the page makes while it is being destroyed.
    void later(std::function<void()> step);

    QPointer<QWebEnginePage> m_page;
    quint64 m_generation = 0;
};
