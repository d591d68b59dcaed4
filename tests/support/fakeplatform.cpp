// SPDX-FileCopyrightText: 2026 Orvena
// SPDX-License-Identifier: LicenseRef-Kaltrix
#include "fakeplatform.h"

#include "ui/look/programstyle.h"
#include "ui/widgets/placeholderfield.h"
#include "ui/windows/form.h"
#include "ui/windows/windowregistry.h"

#include <QApplication>
#include <QCoreApplication>
#include <QLineEdit>
#include <QPointer>
#include <QTest>
#include <QWidget>

FakePlatform::FakePlatform()
{
    Platform::install(this);
    // The windows under test look as the program shows them.
    if (qobject_cast<QApplication *>(QCoreApplication::instance()))
        applyProgramStyle();
}

FakePlatform::~FakePlatform()
{
    Platform::install(nullptr);
}

MessageAnswer FakePlatform::showMessage(const MessageRequest &request)
{
    messages.append(request);
    if (onMessage)
        onMessage(request);
    if (!answers.isEmpty())
        return answers.takeFirst();
    return request.buttons == MessageButtons::Ok ? MessageAnswer::Ok : request.defaultAnswer;
}

void FakePlatform::openUrl(const QUrl &url)
{
    openedUrls.append(url);
}

QString FakePlatform::read(const QString &application, const QString &section, const QString &key)
{
    return store.value(application + u'/' + section + u'/' + key);
}

bool FakePlatform::write(const QString &application, const QString &section, const QString &key,
                         const QString &value)
{
    if (refuseWrites)
        return false;
    store.insert(application + u'/' + section + u'/' + key, value);
    writes.append(section + u'/' + key + u'=' + value);
    return true;
}

QDate FakePlatform::today()
{
    return todayDate;
}

float FakePlatform::nextRandom()
{
    return draws.isEmpty() ? 0.0f : draws.takeFirst();
}

void FakePlatform::reseedRandom()
{
    ++reseeds;
}

bool FakePlatform::acquireInstanceGuard(const QString &)
{
    return instanceGuardFree;
}

QString FakePlatform::applicationName()
{
    return appName;
}

void FakePlatform::endProcess()
{
    ++endProcessCalls;
}

QStringList FakePlatform::messageTexts() const
{
    QStringList texts;
    for (const MessageRequest &request : messages)
        texts.append(request.text);
    return texts;
}

void FakePlatform::clearRecords()
{
    messages.clear();
    openedUrls.clear();
    writes.clear();
    reseeds = 0;
    endProcessCalls = 0;
}

void destroyAllWindows()
{
    QList<QPointer<QWidget>> windows;
    for (QWidget *widget : QApplication::topLevelWidgets())
        windows.append(widget);
    for (const QPointer<QWidget> &widget : windows)
        delete widget.data();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    // Let activation changes of the windows just gone arrive now, not in the middle of the next test.
    QCoreApplication::processEvents();
}

QString fieldText(QWidget *field)
{
    if (auto *lines = qobject_cast<PlaceholderTextField *>(field))
        return lines->text();
    return qobject_cast<QLineEdit *>(field)->text();
}

void setFieldText(QWidget *field, const QString &text)
{
    if (auto *lines = qobject_cast<PlaceholderTextField *>(field))
        lines->setText(text);
    else
        qobject_cast<QLineEdit *>(field)->setText(text);
}

void WindowSuite::cleanup()
{
    m_platform.onMessage = nullptr; // its captures may go with the windows
    destroyAllWindows();
    m_platform.clearRecords();
    m_platform.answers.clear();
    m_platform.draws.clear();
    m_platform.instanceGuardFree = true;
    QVERIFY(WindowRegistry::openWindows().isEmpty());
    QVERIFY(QApplication::topLevelWidgets().isEmpty());
}
