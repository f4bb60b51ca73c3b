#pragma once

// Helpers shared by the tests that drive the main form.

#include "app/UnitDivisheet.h"
#include "sheet/ProblemCatalogue.h"
#include "sheet/SheetMaker.h"
#include "figures/LongDivision.h"
#include "platform/Buttons.h"
#include "platform/ErrorBoundary.h"
#include "platform/Fonts.h"
#include "platform/Label.h"
#include "platform/RadioGroup.h"
#include "platform/SpinEdit.h"
#include "platform/StringGrid.h"

#include <QApplication>
#include <QMessageBox>
#include <QStringList>
#include <QTest>
#include <QTimer>

#include <functional>
#include <memory>
#include <vector>

using namespace divisheet;

// Collects the messages the error boundary would show, instead of a modal box.
class MessageCapture
{
public:
    MessageCapture()
    {
        m_previous = divisheet::setMessageSink([this](const QString &m) { messages << m; });
    }
    ~MessageCapture() { divisheet::setMessageSink(m_previous); }

    QStringList messages;

private:
    divisheet::MessageSink m_previous;
};

// Hands the next modal message box to `answer` once it is up, which may be only after a
// dialog has closed and a file has been written.
inline void whenBoxShows(QObject *owner, std::function<void(QMessageBox *)> answer)
{
    auto *poll = new QTimer(owner);
    QObject::connect(poll, &QTimer::timeout, poll, [poll, answer] {
        if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget()))
            answer(box), poll->deleteLater(), poll->stop();
    });
    poll->start(10);
}

template <typename T>
T *child(const QObject *form, const char *name)
{
    T *found = form->findChild<T *>(QString::fromLatin1(name));
    if (!found)
        qFatal("no child %s", name);
    return found;
}

struct Figure
{
    QString name;
    QRect geometry;
    int dividend;
    int divisor;
    divisheet::TTypeIntegerShow integerShow;
    divisheet::TTypeFrameShow frameShow;
};

// The long-division figures on the form, in creation order.
inline std::vector<Figure> figuresOn(const QWidget *form)
{
    std::vector<Figure> figures;
    for (QObject *object : form->children()) {
        if (auto *f = qobject_cast<TLongDivision *>(object)) {
            figures.push_back({f->objectName(), f->geometry(), f->valueIntegerWarareru(),
                               f->valueIntegerWaru(), f->typeIntegerShow(), f->typeFrameShow()});
        }
    }
    return figures;
}

// The problems of the figures on the form, "dividend/divisor" each in creation order,
// joined by spaces (as problemsText() writes them).
inline QString figuresText(const QWidget *form)
{
    QStringList parts;
    for (const Figure &f : figuresOn(form))
        parts << QString::number(f.dividend) + u'/' + QString::number(f.divisor);
    return parts.join(u' ');
}

// The problems (divisor, dividend) of columns 1..count of StringGridData.
inline std::vector<std::pair<QString, QString>> sheetProblems(const QWidget *form, int count)
{
    auto *data = child<TStringGrid>(form, "StringGridData");
    std::vector<std::pair<QString, QString>> problems;
    for (int k = 1; k <= count; ++k)
        problems.emplace_back(data->cell(k, 2), data->cell(k, 4));
    return problems;
}

// A shown form. Without a frame (the default) its client area is the whole designed
// window; `framed` gives it the frame the offscreen platform draws (2 pixels each side),
// standing in for a window manager's.
inline std::unique_ptr<TFormDivisheet> makeForm(TFormDivisheet::Options options = {}, bool framed = false)
{
    auto form = std::make_unique<TFormDivisheet>(options);
    form->setWindowFlag(Qt::FramelessWindowHint, !framed);
    form->show();
    if (!QTest::qWaitForWindowExposed(form.get()))
        qWarning("form not exposed");
    return form;
}

// "dividend/divisor" of each problem, joined by spaces.
inline QString problemsText(const std::vector<Problem> &problems)
{
    QStringList parts;
    for (const Problem &p : problems)
        parts << QString::number(p.dividend) + u'/' + QString::number(p.divisor);
    return parts.join(u' ');
}

// A form whose catalogues and draws take the seeds last + 1, last + 2 ... in turn: a sheet's
// draw takes the last, and a random catalogue the one before.
inline TFormDivisheet::Options countedSeeds(quint32 &last)
{
    TFormDivisheet::Options options;
    options.seedSource = [&last] { return ++last; };
    return options;
}
