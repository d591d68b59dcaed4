// SPDX-FileCopyrightText: 2026 Orvena
// SPDX-License-Identifier: LicenseRef-Kaltrix
#include "fakeplatform.h"
#include "web/links.h"

#include <QTest>

using namespace modHelp;
using namespace Qt::StringLiterals;

using OpenRoutine = void (*)();

class tst_Links : public QObject
{
    Q_OBJECT

private slots:
    void everyPageIsOpenedAtItsAddress_data();
    void everyPageIsOpenedAtItsAddress();
    void homePageIsBareAndProductRootEndsWithSlash();

private:
    FakePlatform m_platform;
};

void tst_Links::everyPageIsOpenedAtItsAddress_data()
{
    QTest::addColumn<OpenRoutine>("open"); // none: the address is opened with a query (refer-a-friend)
    QTest::addColumn<QUrl>("url");
    QTest::addColumn<QUrl>("site");
    QTest::addColumn<QString>("path");
    const QUrl product = ProductSiteURL().adjusted(QUrl::RemovePath);
    const QUrl main = HomePageURL();
    const QUrl help = DonatePageURL().adjusted(QUrl::RemovePath);
    QTest::addRow("help") << &OpenHelpPage << HelpPageURL() << product << u"/kaltrix-help.html"_s;
    QTest::addRow("download") << &OpenDownloadPage << DownloadPageURL() << product
                              << u"/download-kaltrix.html"_s;
    QTest::addRow("home") << &OpenHomePage << HomePageURL() << main << QString();
    QTest::addRow("software") << &OpenSoftwarePage << SoftwarePageURL() << main << u"/orvenasoftwares"_s;
    QTest::addRow("donate") << &OpenDonatePage << DonatePageURL() << help << u"/donate.html"_s;
    QTest::addRow("full brand") << &OpenFullBrandPage << FullBrandPageURL() << help
                                << u"/fully-branded.html"_s;
    QTest::addRow("co-brand") << &OpenCoBrandPage << CoBrandPageURL() << help << u"/co-brand.html"_s;
    QTest::addRow("refer a friend") << OpenRoutine() << ReferAFriendURL() << main
                                    << u"/ovsw-refer-a-friend.php"_s;
}

// Each page at its own path on its site, and every open goes out: a second one is not taken for a repeat.
void tst_Links::everyPageIsOpenedAtItsAddress()
{
    QFETCH(OpenRoutine, open);
    QFETCH(QUrl, url);
    QFETCH(QUrl, site);
    QFETCH(QString, path);
    QVERIFY(url.isValid());
    QCOMPARE(url.scheme(), u"https"_s);
    QCOMPARE(url.port(), -1);
    QVERIFY(!url.hasQuery());
    QCOMPARE(url.path(), path);
    QCOMPARE(url.adjusted(QUrl::RemovePath), site);
    if (!open)
        return;
    m_platform.clearRecords();
    open();
    open();
    QCOMPARE(m_platform.openedUrls.size(), 2);
    QCOMPARE(m_platform.openedUrls.first(), m_platform.openedUrls.last());
    QCOMPARE(m_platform.openedUrls.first().path(), path);
    QCOMPARE(m_platform.openedUrls.first().adjusted(QUrl::RemovePath), site);
}

void tst_Links::homePageIsBareAndProductRootEndsWithSlash()
{
    const QString home = HomePageURL().toString();
    QVERIFY(!home.endsWith(u'/'));
    QVERIFY(HomePageURL().path().isEmpty());
    QVERIFY(ProductSiteURL().toString().endsWith(u'/'));
    QCOMPARE(ProductSiteURL().path(), u"/"_s);
    QVERIFY(!MainSiteDisplayName().contains(u':'));
    QVERIFY(home.endsWith(MainSiteDisplayName()));
}

QTEST_GUILESS_MAIN(tst_Links)
#include "tst_links.moc"
