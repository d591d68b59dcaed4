#include "fakeplatform.h"
#include "web/links.h"

#include <QTest>

using namespace modHelp;

using OpenRoutine = void (*)();

class tst_Links : public QObject
{
    Q_OBJECT

private slots:
    void openRoutinesOpenTheirPage_data();
    void openRoutinesOpenTheirPage();
    void addressesAreAbsoluteSecureAndPathExact_data();
    void addressesAreAbsoluteSecureAndPathExact();
    void homePageIsBareAndProductRootEndsWithSlash();
    void repeatedOpensAreNotSuppressed();

private:
    FakePlatform m_platform;
};

void tst_Links::openRoutinesOpenTheirPage_data()
{
    QTest::addColumn<OpenRoutine>("open");
    QTest::addColumn<QUrl>("expected");
    QTest::addRow("help") << &OpenHelpPage << HelpPageURL();
    QTest::addRow("download") << &OpenDownloadPage << DownloadPageURL();
    QTest::addRow("home") << &OpenHomePage << HomePageURL();
    QTest::addRow("software") << &OpenSoftwarePage << SoftwarePageURL();
    QTest::addRow("donate") << &OpenDonatePage << DonatePageURL();
    QTest::addRow("full brand") << &OpenFullBrandPage << FullBrandPageURL();
    QTest::addRow("co-brand") << &OpenCoBrandPage << CoBrandPageURL();
}

void tst_Links::openRoutinesOpenTheirPage()
{
    QFETCH(OpenRoutine, open);
    QFETCH(QUrl, expected);
    m_platform.clearRecords();
    open();
    QCOMPARE(m_platform.openedUrls, QList<QUrl>{expected});
}

void tst_Links::addressesAreAbsoluteSecureAndPathExact_data()
{
    QTest::addColumn<QUrl>("url");
    QTest::addColumn<QUrl>("site");
    QTest::addColumn<QString>("path");
    const QUrl product = ProductSiteURL().adjusted(QUrl::RemovePath);
    const QUrl main = HomePageURL();
    const QUrl help = DonatePageURL().adjusted(QUrl::RemovePath);
    QTest::addRow("help") << HelpPageURL() << product << QStringLiteral("/kaltrix-help.html");
    QTest::addRow("download") << DownloadPageURL() << product << QStringLiteral("/download-kaltrix.html");
    QTest::addRow("software") << SoftwarePageURL() << main << QStringLiteral("/orvenasoftwares");
    QTest::addRow("donate") << DonatePageURL() << help << QStringLiteral("/donate.html");
    QTest::addRow("full brand") << FullBrandPageURL() << help << QStringLiteral("/fully-branded.html");
    QTest::addRow("co-brand") << CoBrandPageURL() << help << QStringLiteral("/co-brand.html");
    QTest::addRow("refer a friend") << ReferAFriendURL() << main
                                    << QStringLiteral("/ovsw-refer-a-friend.php");
}

void tst_Links::addressesAreAbsoluteSecureAndPathExact()
{
    QFETCH(QUrl, url);
    QFETCH(QUrl, site);
    QFETCH(QString, path);
    QVERIFY(url.isValid());
    QCOMPARE(url.scheme(), QStringLiteral("https"));
    QCOMPARE(url.port(), -1);
    QVERIFY(!url.hasQuery());
    QCOMPARE(url.path(), path);
    QCOMPARE(url.adjusted(QUrl::RemovePath), site);
}

void tst_Links::homePageIsBareAndProductRootEndsWithSlash()
{
    const QString home = HomePageURL().toString();
    QVERIFY(!home.endsWith(u'/'));
    QVERIFY(HomePageURL().path().isEmpty());
    QVERIFY(ProductSiteURL().toString().endsWith(u'/'));
    QCOMPARE(ProductSiteURL().path(), QStringLiteral("/"));
    QVERIFY(!MainSiteDisplayName().contains(u':'));
    QVERIFY(home.endsWith(MainSiteDisplayName()));
}

void tst_Links::repeatedOpensAreNotSuppressed()
{
    m_platform.clearRecords();
    OpenHomePage();
    OpenHomePage();
    QCOMPARE(m_platform.openedUrls, (QList<QUrl>{HomePageURL(), HomePageURL()}));
}

QTEST_GUILESS_MAIN(tst_Links)
#include "tst_links.moc"
