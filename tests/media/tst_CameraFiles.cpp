#include <QImageReader>
#include <QTest>

#include "DibImage.h"
#include "ExifReader.h"
#include "JpegCodec.h"
#include "MappedFile.h"
#include "MediaTestSupport.h"

#include <QDir>
#include <QVariantMap>

using namespace MediaTestSupport;

// Real camera files. The expected values were read with the exiv2 command and formatted by
// hand after the display rules, so a misread tag, a wrong byte order or a wrong rule shows.
class CameraFilesTest : public QObject
{
    Q_OBJECT

    using Props = QList<std::pair<QString, QVariant>>;

    static QVariantMap cameraProperties(const DibImage& image)
    {
        QVariantMap map;
        for (const DibImage::Property& p : image.properties()) {
            if (p.name == u"real_width" || p.name == u"real_height")
                continue;
            if (const auto* n = std::get_if<quint16>(&p.value))
                map.insert(p.name, int(*n));
            else
                map.insert(p.name, std::get<QString>(p.value));
        }
        return map;
    }

    static QStringList allPictures()
    {
        QStringList files;
        const QDir root(testDataPath(QStringLiteral("exif")));
        for (const QString& sub :
             {QString(), QStringLiteral("exif-org"), QStringLiteral("orientation"), QStringLiteral("tests"),
              QStringLiteral("xmp"), QStringLiteral("invalid")}) {
            const QDir dir(root.filePath(sub));
            for (const QString& name : dir.entryList({QStringLiteral("*.jpg")}, QDir::Files, QDir::Name))
                files << (sub.isEmpty() ? name : sub + u'/' + name);
        }
        return files;
    }

private slots:
    void cameraData_data();
    void cameraData();
    void pixelsMatchAnIndependentDecoder_data();
    void pixelsMatchAnIndependentDecoder();
    void orientationSeriesShowsOneScene_data();
    void orientationSeriesShowsOneScene();
};

void CameraFilesTest::cameraData_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<int>("format");
    QTest::addColumn<QString>("byteOrder");
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");
    QTest::addColumn<Props>("expected");

    QTest::newRow("Canon_40D.jpg") << "Canon_40D.jpg" << 1 << "II" << 100 << 68
                                   << Props{{"maker", "Canon"},
                                            {"model", "Canon EOS 40D"},
                                            {"date_time_original", "2008:05:30 15:56:01"},
                                            {"date_time_digitized", "2008:05:30 15:56:01"},
                                            {"date_time", "2008:05:30 15:56:01"},
                                            {"orientation", 1},
                                            {"iso", "100"},
                                            {"shutter_speed", "1/160"},
                                            {"fnumber", "F7.1"},
                                            {"focal_length", "135.0 mm"},
                                            {"exposure_bias", "0.00"}};
    QTest::newRow("Canon_40D_photoshop_import.jpg")
        << "Canon_40D_photoshop_import.jpg" << 1 << "MM" << 100 << 77
        << Props{{"date_time", "2008:07:31 10:05:49"}, {"orientation", 1}};
    QTest::newRow("Canon_DIGITAL_IXUS_400.jpg") << "Canon_DIGITAL_IXUS_400.jpg" << 1 << "II" << 100 << 75
                                                << Props{{"maker", "Canon"},
                                                         {"model", "Canon DIGITAL IXUS 400"},
                                                         {"date_time_original", "2004:08:27 13:52:55"},
                                                         {"date_time_digitized", "2004:08:27 13:52:55"},
                                                         {"date_time", "2004:08:27 13:52:55"},
                                                         {"shutter_speed", "1/200"},
                                                         {"fnumber", "F10.0"},
                                                         {"max_aperture", "F4.0"},
                                                         {"focal_length", "15.4 mm"},
                                                         {"exposure_bias", "0.00"}};
    QTest::newRow("Canon_PowerShot_S40.jpg") << "Canon_PowerShot_S40.jpg" << 1 << "II" << 480 << 360
                                             << Props{{"maker", "Canon"},
                                                      {"model", "Canon PowerShot S40"},
                                                      {"date_time_original", "2003:12:14 12:01:44"},
                                                      {"date_time_digitized", "2003:12:14 12:01:44"},
                                                      {"date_time", "2003:12:14 12:01:44"},
                                                      {"orientation", 1},
                                                      {"shutter_speed", "1/500"},
                                                      {"fnumber", "F4.9"},
                                                      {"max_aperture", "F2.8"},
                                                      {"focal_length", "21.3 mm"},
                                                      {"exposure_bias", "0.00"}};
    QTest::newRow("Fujifilm_FinePix6900ZOOM.jpg") << "Fujifilm_FinePix6900ZOOM.jpg" << 1 << "MM" << 100 << 75
                                                  << Props{{"maker", "FUJIFILM"},
                                                           {"model", "FinePix6900ZOOM"},
                                                           {"date_time_original", "2001:02:19 06:40:05"},
                                                           {"date_time_digitized", "2001:02:19 06:40:05"},
                                                           {"date_time", "2001:02:19 06:40:05"},
                                                           {"orientation", 1},
                                                           {"iso", "100"},
                                                           {"shutter_speed", "1/360"},
                                                           {"fnumber", "F4.0"},
                                                           {"max_aperture", "F2.8"},
                                                           {"focal_length", "21.8 mm"},
                                                           {"exposure_bias", "0.00"}};
    QTest::newRow("Fujifilm_FinePix_E500.jpg") << "Fujifilm_FinePix_E500.jpg" << 1 << "MM" << 59 << 100
                                               << Props{{"maker", "FUJIFILM"},
                                                        {"model", "FinePix E500   "},
                                                        {"date_time_original", "2006:08:17 09:24:48"},
                                                        {"date_time_digitized", "2006:08:17 09:24:48"},
                                                        {"date_time", "2006:08:17 09:24:48"},
                                                        {"orientation", 1},
                                                        {"iso", "100"},
                                                        {"light_source", 0},
                                                        {"shutter_speed", "1/80"},
                                                        {"fnumber", "F2.9"},
                                                        {"max_aperture", "F2.9"},
                                                        {"focal_length", "4.7 mm"},
                                                        {"exposure_bias", "0.00"}};
    QTest::newRow("Kodak_CX7530.jpg") << "Kodak_CX7530.jpg" << 1 << "II" << 100 << 78
                                      << Props{{"maker", "EASTMAN KODAK COMPANY"},
                                               {"model", "KODAK CX7530 ZOOM DIGITAL CAMERA"},
                                               {"date_time_original", "2005:08:13 09:47:23"},
                                               {"date_time_digitized", "2005:08:13 09:47:23"},
                                               {"date_time", "2005:08:13 09:47:23"},
                                               {"orientation", 1},
                                               {"light_source", 0},
                                               {"shutter_speed", "1/250"},
                                               {"fnumber", "F4.6"},
                                               {"max_aperture", "F4.6"},
                                               {"focal_length", "16.8 mm"},
                                               {"exposure_bias", "0.00"}};
    QTest::newRow("Konica_Minolta_DiMAGE_Z3.jpg") << "Konica_Minolta_DiMAGE_Z3.jpg" << 1 << "MM" << 70 << 100
                                                  << Props{{"maker", "KONICA MINOLTA "},
                                                           {"model", "DiMAGE Z3"},
                                                           {"description", "KONICA MINOLTA DIGITAL CAMERA"},
                                                           {"date_time_original", "2005:03:10 15:10:48"},
                                                           {"date_time_digitized", "2005:03:10 15:10:48"},
                                                           {"date_time", "2005:03:10 15:10:48"},
                                                           {"orientation", 1},
                                                           {"iso", "200"},
                                                           {"light_source", 0},
                                                           {"shutter_speed", "1/40"},
                                                           {"fnumber", "F2.8"},
                                                           {"max_aperture", "F2.8"},
                                                           {"focal_length", "5.9 mm"},
                                                           {"exposure_bias", "0.00"}};
    QTest::newRow("Nikon_COOLPIX_P1.jpg") << "Nikon_COOLPIX_P1.jpg" << 1 << "II" << 100 << 75
                                          << Props{{"maker", "NIKON"},
                                                   {"model", "COOLPIX P1"},
                                                   {"description", QString(10, u' ')},
                                                   {"date_time_original", "2008:03:07 09:55:46"},
                                                   {"date_time_digitized", "2008:03:07 09:55:46"},
                                                   {"date_time", "2008:03:07 09:55:46"},
                                                   {"orientation", 1},
                                                   {"iso", "50"},
                                                   {"light_source", 0},
                                                   {"shutter_speed", "1/219"},
                                                   {"fnumber", "F6.0"},
                                                   {"max_aperture", "F2.7"},
                                                   {"focal_length", "7.5 mm"},
                                                   {"exposure_bias", "0.00"},
                                                   {"user_comment", QString(117, u' ')}};
    QTest::newRow("Nikon_D70.jpg") << "Nikon_D70.jpg" << 1 << "II" << 100 << 66
                                   << Props{{"maker", "NIKON CORPORATION"},
                                            {"model", "NIKON D70"},
                                            {"date_time_original", "2008:03:15 09:52:01"},
                                            {"date_time", "2008:03:15 09:52:01"},
                                            {"orientation", 1},
                                            {"iso", "200"},
                                            {"shutter_speed", "1/200"},
                                            {"fnumber", "F9.0"},
                                            {"max_aperture", "F3.1"},
                                            {"focal_length", "100.0 mm"},
                                            {"exposure_bias", "-1.00"}};
    QTest::newRow("Olympus_C8080WZ.jpg") << "Olympus_C8080WZ.jpg" << 1 << "II" << 100 << 72
                                         << Props{{"maker", "OLYMPUS CORPORATION"},
                                                  {"model", "C8080WZ"},
                                                  {"date_time_original", "2006:10:22 15:44:29"},
                                                  {"date_time_digitized", "2006:10:22 15:44:29"},
                                                  {"date_time", "2006:10:22 15:44:29"},
                                                  {"orientation", 1},
                                                  {"iso", "50"},
                                                  {"light_source", 0},
                                                  {"shutter_speed", "1/160"},
                                                  {"fnumber", "F2.8"},
                                                  {"max_aperture", "F2.8"},
                                                  {"focal_length", "15.8 mm"},
                                                  {"exposure_bias", "0.00"},
                                                  {"user_comment", QString(117, u' ')}};
    QTest::newRow("PaintTool_sample.jpg")
        << "PaintTool_sample.jpg" << 1 << "II" << 88 << 100
        << Props{{"orientation", 1},
                 {"user_comment", "a5cb01550dbb9a6bf732f87e413f6e231cc4581e6a5be800fb0871dce0760cd5"}};
    QTest::newRow("Panasonic_DMC-FZ30.jpg") << "Panasonic_DMC-FZ30.jpg" << 1 << "II" << 100 << 75
                                            << Props{{"maker", "Panasonic"},
                                                     {"model", "DMC-FZ30"},
                                                     {"date_time_original", "2008:07:16 11:33:20"},
                                                     {"date_time_digitized", "2008:07:16 11:33:20"},
                                                     {"date_time", "2008:07:16 11:33:20"},
                                                     {"orientation", 1},
                                                     {"iso", "100"},
                                                     {"light_source", 4},
                                                     {"shutter_speed", "1/30"},
                                                     {"fnumber", "F3.2"},
                                                     {"max_aperture", "F2.8"},
                                                     {"focal_length", "14.1 mm"},
                                                     {"exposure_bias", "0.00"}};
    QTest::newRow("Pentax_K10D.jpg") << "Pentax_K10D.jpg" << 1 << "II" << 100 << 72
                                     << Props{{"maker", "PENTAX Corporation "},
                                              {"model", QString("PENTAX K10D") + QString(8, u' ')},
                                              {"date_time_original", "2008:05:04 16:47:24"},
                                              {"date_time_digitized", "2008:05:04 16:47:24"},
                                              {"date_time", "2008:05:04 16:47:24"},
                                              {"orientation", 1},
                                              {"iso", "200"},
                                              {"shutter_speed", "1/180"},
                                              {"fnumber", "F11.0"},
                                              {"focal_length", "90.0 mm"},
                                              {"exposure_bias", "0.00"}};
    QTest::newRow("Reconyx_HC500_Hyperfire.jpg") << "Reconyx_HC500_Hyperfire.jpg" << 2 << "II" << 2048 << 1536
                                                 << Props{{"iso", "100"}, {"shutter_speed", "1/55"}};
    QTest::newRow("Ricoh_Caplio_RR330.jpg") << "Ricoh_Caplio_RR330.jpg" << 1 << "II" << 100 << 75
                                            << Props{{"maker", "Caplio "},
                                                     {"model", "RR330      "},
                                                     {"date_time_original", "2004:08:31 19:52:58"},
                                                     {"date_time_digitized", "2004:08:31 19:52:58"},
                                                     {"date_time", "2004:08:31 19:52:58"},
                                                     {"iso", "100"},
                                                     {"shutter_speed", "1/33"},
                                                     {"fnumber", "F2.9"}};
    QTest::newRow("Samsung_Digimax_i50_MP3.jpg")
        << "Samsung_Digimax_i50_MP3.jpg" << 1 << "II" << 100 << 75
        << Props{{"maker", "Samsung Techwin"},
                 {"model", "<Digimax i50 MP3, Samsung #1 MP3>"},
                 {"description", "<Digimax i50 MP3, Samsung #1 MP3>"},
                 {"date_time_original", "2006:08:15 17:50:57"},
                 {"date_time_digitized", "2006:08:15 17:50:57"},
                 {"date_time", "2006:08:15 17:50:57"},
                 {"orientation", 1},
                 {"iso", "150"},
                 {"light_source", 0},
                 {"shutter_speed", "1/6"},
                 {"fnumber", "F3.5"},
                 {"max_aperture", "F3.5"},
                 {"focal_length", "6.6 mm"},
                 {"exposure_bias", "0.00"}};
    QTest::newRow("Sony_HDR-HC3.jpg") << "Sony_HDR-HC3.jpg" << 1 << "II" << 100 << 64
                                      << Props{{"maker", "SONY"},
                                               {"model", "HDR-HC3"},
                                               {"date_time_original", "2007:06:15 04:42:32"},
                                               {"date_time_digitized", "2007:06:15 04:42:32"},
                                               {"date_time", "2007:06:15 04:42:32"},
                                               {"orientation", 1},
                                               {"light_source", 0},
                                               {"shutter_speed", "1/60"},
                                               {"fnumber", "F4.0"},
                                               {"max_aperture", "F1.8"},
                                               {"focal_length", "5.1 mm"},
                                               {"exposure_bias", "0.00"}};
    QTest::newRow("WWL_Polaroid_ION230.jpg") << "WWL_Polaroid_ION230.jpg" << 1 << "II" << 75 << 100
                                             << Props{{"maker", "WWL     "},
                                                      {"model", "ION230"},
                                                      {"description", "WWL     "},
                                                      {"date_time_original", "2026:11:24 14:41:16"},
                                                      {"date_time_digitized", "2026:11:24 14:41:16"},
                                                      {"date_time", "2026:11:24 14:41:16"},
                                                      {"orientation", 1},
                                                      {"iso", "100"},
                                                      {"light_source", 0},
                                                      {"shutter_speed", "1/33"},
                                                      {"fnumber", "F2.8"},
                                                      {"max_aperture", "F1.7"},
                                                      {"focal_length", "8.4 mm"},
                                                      {"exposure_bias", "0.00"}};
    QTest::newRow("long_description.jpg")
        << "long_description.jpg" << 1 << "MM" << 100 << 73
        << Props{{"description",
                  "Operation Mountain Viper put the soldiers of A Company, 2nd Battalion 22nd Infantry "
                  "Division, 10th Mountain in the Afghanistan province of Daychopan to search for Taliban "
                  "and or weapon caches that could be used against U.S. and allied forces. Soldiers quickly "
                  "walk to the ramp of the CH-47 Chinook cargo helicopter that will return them to Kandahar "
                  "Army Air Field.  (U.S. Army photo by Staff Sgt. Kyle Davis) (Released)"},
                 {"date_time", "2008:07:31 10:50:00"},
                 {"orientation", 1}};
    QTest::newRow("exif-org/canon-ixus.jpg") << "exif-org/canon-ixus.jpg" << 2 << "II" << 640 << 480
                                             << Props{{"maker", "Canon"},
                                                      {"model", "Canon DIGITAL IXUS"},
                                                      {"date_time_original", "2001:06:09 15:17:32"},
                                                      {"date_time_digitized", "2001:06:09 15:17:32"},
                                                      {"date_time", "2001:06:09 15:17:32"},
                                                      {"orientation", 1},
                                                      {"shutter_speed", "1/350"},
                                                      {"fnumber", "F4.0"},
                                                      {"max_aperture", "F2.8"},
                                                      {"focal_length", "10.8 mm"},
                                                      {"exposure_bias", "0.00"}};
    QTest::newRow("exif-org/fujifilm-dx10.jpg") << "exif-org/fujifilm-dx10.jpg" << 2 << "II" << 1024 << 768
                                                << Props{{"maker", "FUJIFILM"},
                                                         {"model", "DX-10"},
                                                         {"date_time_original", "2001:04:12 20:33:14"},
                                                         {"date_time_digitized", "2001:04:12 20:33:14"},
                                                         {"date_time", "2001:04:12 20:33:14"},
                                                         {"orientation", 1},
                                                         {"iso", "150"},
                                                         {"shutter_speed", "1/90"},
                                                         {"fnumber", "F4.2"},
                                                         {"max_aperture", "F4.1"},
                                                         {"focal_length", "5.8 mm"},
                                                         {"exposure_bias", "0.00"}};
    QTest::newRow("exif-org/fujifilm-finepix40i.jpg")
        << "exif-org/fujifilm-finepix40i.jpg" << 2 << "MM" << 600 << 450
        << Props{{"maker", "FUJIFILM"},
                 {"model", "FinePix40i"},
                 {"date_time_original", "2000:08:04 18:22:57"},
                 {"date_time_digitized", "2000:08:04 18:22:57"},
                 {"date_time", "2000:08:04 18:22:57"},
                 {"orientation", 1},
                 {"iso", "200"},
                 {"shutter_speed", "1/45"},
                 {"fnumber", "F2.8"},
                 {"max_aperture", "F2.8"},
                 {"focal_length", "8.7 mm"},
                 {"exposure_bias", "0.00"}};
    QTest::newRow("exif-org/fujifilm-mx1700.jpg") << "exif-org/fujifilm-mx1700.jpg" << 2 << "II" << 640 << 480
                                                  << Props{{"maker", "FUJIFILM"},
                                                           {"model", "MX-1700ZOOM"},
                                                           {"date_time_original", "2000:09:02 14:30:10"},
                                                           {"date_time_digitized", "2000:09:02 14:30:10"},
                                                           {"date_time", "2000:09:02 14:30:10"},
                                                           {"orientation", 1},
                                                           {"iso", "125"},
                                                           {"shutter_speed", "1/180"},
                                                           {"fnumber", "F7.0"},
                                                           {"max_aperture", "F3.1"},
                                                           {"focal_length", "9.9 mm"},
                                                           {"exposure_bias", "0.00"}};
    QTest::newRow("exif-org/kodak-dc210.jpg") << "exif-org/kodak-dc210.jpg" << 2 << "MM" << 640 << 480
                                              << Props{{"maker", "Eastman Kodak Company"},
                                                       {"model", "DC210 Zoom (V05.00)"},
                                                       {"date_time_original", "2000:10:26 16:46:51"},
                                                       {"date_time", "2000:10:26 16:46:51"},
                                                       {"orientation", 1},
                                                       {"light_source", 0},
                                                       {"shutter_speed", "1/30"},
                                                       {"fnumber", "F4.0"},
                                                       {"max_aperture", "F4.0"},
                                                       {"focal_length", "4.4 mm"},
                                                       {"exposure_bias", "0.00"}};
    QTest::newRow("exif-org/kodak-dc240.jpg") << "exif-org/kodak-dc240.jpg" << 2 << "MM" << 640 << 480
                                              << Props{{"maker", "EASTMAN KODAK COMPANY"},
                                                       {"model", "KODAK DC240 ZOOM DIGITAL CAMERA"},
                                                       {"date_time_original", "1999:05:25 21:00:09"},
                                                       {"date_time_digitized", "1999:05:25 21:00:09"},
                                                       {"date_time", "1999:05:25 21:00:09"},
                                                       {"orientation", 1},
                                                       {"light_source", 0},
                                                       {"shutter_speed", "1/30"},
                                                       {"fnumber", "F4.0"},
                                                       {"max_aperture", "F3.7"},
                                                       {"focal_length", "14.0 mm"},
                                                       {"exposure_bias", "0.00"}};
    QTest::newRow("exif-org/nikon-e950.jpg") << "exif-org/nikon-e950.jpg" << 1 << "II" << 800 << 600
                                             << Props{{"maker", "NIKON"},
                                                      {"model", "E950"},
                                                      {"description", QString(10, u' ')},
                                                      {"date_time_original", "2001:04:06 11:51:40"},
                                                      {"date_time_digitized", "2001:04:06 11:51:40"},
                                                      {"date_time", "2001:04:06 11:51:40"},
                                                      {"orientation", 1},
                                                      {"iso", "80"},
                                                      {"light_source", 0},
                                                      {"shutter_speed", "1/77"},
                                                      {"fnumber", "F5.5"},
                                                      {"max_aperture", "F2.5"},
                                                      {"focal_length", "12.8 mm"},
                                                      {"exposure_bias", "0.00"},
                                                      {"user_comment", QString(117, u' ')}};
    QTest::newRow("exif-org/olympus-c960.jpg")
        << "exif-org/olympus-c960.jpg" << 2 << "II" << 640 << 480
        << Props{{"maker", "OLYMPUS OPTICAL CO.,LTD"},
                 {"model", "C960Z,D460Z"},
                 {"description", QString("OLYMPUS DIGITAL CAMERA") + QString(9, u' ')},
                 {"date_time_original", "2000:11:07 10:41:43"},
                 {"date_time_digitized", "2000:11:07 10:41:43"},
                 {"date_time", "2000:11:07 10:41:43"},
                 {"orientation", 1},
                 {"iso", "125"},
                 {"light_source", 0},
                 {"shutter_speed", "1/345"},
                 {"fnumber", "F8.0"},
                 {"max_aperture", "F2.8"},
                 {"focal_length", "5.6 mm"},
                 {"exposure_bias", "0.00"}};
    QTest::newRow("exif-org/olympus-d320l.jpg")
        << "exif-org/olympus-d320l.jpg" << 1 << "--" << 640 << 480 << Props{};
    QTest::newRow("exif-org/ricoh-rdc5300.jpg") << "exif-org/ricoh-rdc5300.jpg" << 2 << "MM" << 896 << 600
                                                << Props{{"maker", "RICOH      "},
                                                         {"model", "RDC-5300       "},
                                                         {"date_time_original", "2000:05:31 21:50:40"},
                                                         {"date_time_digitized", "2000:05:31 21:50:40"},
                                                         {"date_time", "2000:05:31 21:50:40"},
                                                         {"orientation", 1},
                                                         {"light_source", 0},
                                                         {"shutter_speed", "1/90"},
                                                         {"fnumber", "F4.0"},
                                                         {"max_aperture", "F3.9"},
                                                         {"focal_length", "13.3 mm"},
                                                         {"exposure_bias", "0.00"}};
    QTest::newRow("exif-org/sanyo-vpcg250.jpg") << "exif-org/sanyo-vpcg250.jpg" << 2 << "II" << 640 << 480
                                                << Props{{"maker", "SANYO Electric Co.,Ltd."},
                                                         {"model", "SR6 "},
                                                         {"description", "SANYO DIGITAL CAMERA"},
                                                         {"date_time_original", "1998:01:01 00:00:00"},
                                                         {"date_time_digitized", "1998:01:01 00:00:00"},
                                                         {"date_time", "1998:01:01 00:00:00"},
                                                         {"orientation", 1},
                                                         {"light_source", 0},
                                                         {"shutter_speed", "1/171"},
                                                         {"fnumber", "F8.0"},
                                                         {"max_aperture", "F2.8"},
                                                         {"focal_length", "6.0 mm"},
                                                         {"exposure_bias", "0.00"}};
    QTest::newRow("exif-org/sanyo-vpcsx550.jpg") << "exif-org/sanyo-vpcsx550.jpg" << 2 << "II" << 640 << 480
                                                 << Props{{"maker", "SANYO Electric Co.,Ltd."},
                                                          {"model", "SX113 "},
                                                          {"description", "SANYO DIGITAL CAMERA"},
                                                          {"date_time_original", "2000:11:18 21:14:19"},
                                                          {"date_time_digitized", "2000:11:18 21:14:19"},
                                                          {"date_time", "2000:11:18 21:14:19"},
                                                          {"orientation", 1},
                                                          {"iso", "400"},
                                                          {"light_source", 0},
                                                          {"shutter_speed", "1/48"},
                                                          {"fnumber", "F2.4"},
                                                          {"max_aperture", "F2.8"},
                                                          {"focal_length", "6.0 mm"},
                                                          {"exposure_bias", "0.00"},
                                                          {"user_comment", QString(117, u' ')}};
    QTest::newRow("exif-org/sony-cybershot.jpg") << "exif-org/sony-cybershot.jpg" << 2 << "II" << 640 << 480
                                                 << Props{{"maker", "SONY"},
                                                          {"model", "CYBERSHOT"},
                                                          {"description", QString(31, u' ')},
                                                          {"date_time_original", "2000:09:30 10:59:45"},
                                                          {"date_time_digitized", "2000:09:30 10:59:45"},
                                                          {"date_time", "2000:09:30 10:59:45"},
                                                          {"orientation", 1},
                                                          {"iso", "100"},
                                                          {"light_source", 0},
                                                          {"shutter_speed", "1/197"},
                                                          {"fnumber", "F4.0"},
                                                          {"max_aperture", "F2.8"},
                                                          {"focal_length", "21.6 mm"},
                                                          {"exposure_bias", "0.00"}};
    QTest::newRow("exif-org/sony-d700.jpg") << "exif-org/sony-d700.jpg" << 2 << "MM" << 672 << 512
                                            << Props{{"maker", "SONY"},
                                                     {"model", "DSC-D700"},
                                                     {"date_time_original", "1998:12:01 14:22:36"},
                                                     {"date_time_digitized", "1998:12:01 14:22:36"},
                                                     {"date_time", "1998:12:01 14:22:36"},
                                                     {"orientation", 1},
                                                     {"iso", "200"},
                                                     {"shutter_speed", "1/30"},
                                                     {"fnumber", "F2.4"},
                                                     {"exposure_bias", "0.00"}};
    QTest::newRow("exif-org/sony-powershota5.jpg")
        << "exif-org/sony-powershota5.jpg" << 1 << "--" << 1024 << 768 << Props{};
    QTest::newRow("tests/11-tests.jpg") << "tests/11-tests.jpg" << 1 << "II" << 1136 << 775
                                        << Props{{"maker", "Canon"},
                                                 {"model", "Canon DIGITAL IXUS 40"},
                                                 {"date_time_original", "2007:09:03 16:03:45"},
                                                 {"date_time_digitized", "2007:09:03 16:03:45"},
                                                 {"date_time", "2007:09:03 16:03:45"},
                                                 {"shutter_speed", "1/500"},
                                                 {"fnumber", "F2.8"},
                                                 {"max_aperture", "F2.8"},
                                                 {"focal_length", "5.8 mm"},
                                                 {"exposure_bias", "0.00"}};
    QTest::newRow("tests/30-type_error.jpg") << "tests/30-type_error.jpg" << 2 << "II" << 3872 << 2403
                                             << Props{{"date_time", "2013:07:07 17:20:59"}};
    QTest::newRow("tests/33-type_error.jpg")
        << "tests/33-type_error.jpg" << 1 << "II" << 2560 << 1600
        << Props{{"maker", "Canon"},
                 {"model", "Canon PowerShot G9"},
                 {"description", "El cielo sobre Berlin (Heaven above Berlin)"},
                 {"date_time_original", "2008:05:25 19:31:26"},
                 {"date_time_digitized", "2008:05:25 19:31:26"},
                 {"date_time", "2008:05:25 19:31:26"},
                 {"orientation", 1},
                 {"iso", "80"},
                 {"shutter_speed", "1/1250"},
                 {"fnumber", "F5.0"},
                 {"max_aperture", "F2.8"},
                 {"focal_length", "7.4 mm"},
                 {"exposure_bias", "0.00"}};
    QTest::newRow("tests/45-gps_ifd.jpg") << "tests/45-gps_ifd.jpg" << 2 << "II" << 1600 << 900
                                          << Props{{"maker", "Polyphony Digital Inc."},
                                                   {"model", "Gran Turismo 5"},
                                                   {"description", "Gran Turismo 5"},
                                                   {"date_time_original", "2012:06:23 06:55:49"},
                                                   {"date_time_digitized", "2012:06:23 06:55:49"},
                                                   {"date_time", "2012:06:23 06:55:49"},
                                                   {"orientation", 1},
                                                   {"shutter_speed", "1/59"},
                                                   {"fnumber", "F45.0"},
                                                   {"focal_length", "59.5 mm"}};
    QTest::newRow("tests/67-0_length_string.jpg")
        << "tests/67-0_length_string.jpg" << 1 << "MM" << 4032 << 2012
        << Props{{"maker", "samsung"},
                 {"model", "SM-G930F"},
                 {"date_time", "2016:09:12 10:05:31"},
                 {"orientation", 1}};
    QTest::newRow("xmp/no_exif.jpg") << "xmp/no_exif.jpg" << 1 << "MM" << 322 << 466
                                     << Props{{"description", "Der Goalie bin ig"},
                                              {"date_time", "2014:09:22 10:56:35"},
                                              {"orientation", 1}};
}

void CameraFilesTest::cameraData()
{
    QFETCH(QString, file);
    QFETCH(int, format);
    QFETCH(QString, byteOrder);
    QFETCH(int, width);
    QFETCH(int, height);
    QFETCH(Props, expected);
    const QString path = testDataPath(QStringLiteral("exif/") + file);
    const MappedFile mapped(path);
    QVERIFY2(mapped.isOpen(), qPrintable(path));

    const JpegCodec codec;
    QCOMPARE(codec.probeFormat(mapped.data(), mapped.size()), format);
    int shownWidth = 0, shownHeight = 0;
    QCOMPARE(codec.getSize(mapped.data(), mapped.size(), &shownWidth, &shownHeight), MediaStatusCode::Ok);
    QCOMPARE(QSize(shownWidth, shownHeight), QSize(width, height));

    const ExifReader exif(mapped.data(), mapped.size());
    QCOMPARE(exif.valid(), byteOrder != u"--");
    if (exif.valid())
        QCOMPARE(exif.bigEndian(), byteOrder == u"MM");

    DibImage image;
    QCOMPARE(codec.loadFile(path, image), MediaStatusCode::Ok);
    QCOMPARE(QSize(image.width(), image.height()), QSize(width, height));
    QCOMPARE(image.number(QStringLiteral("real_width")), std::optional<quint16>(width));
    QCOMPARE(image.number(QStringLiteral("real_height")), std::optional<quint16>(height));

    QVariantMap wanted;
    for (const auto& [name, value] : expected)
        wanted.insert(name, value.typeId() == QMetaType::Int ? value : QVariant(value.toString()));
    QCOMPARE(cameraProperties(image), wanted);

    // Reading through the file mapping must give the same values as reading the bytes.
    DibImage fromFile;
    ExifReader(path).fillProperties(fromFile);
    QCOMPARE(cameraProperties(fromFile), wanted);
}

void CameraFilesTest::pixelsMatchAnIndependentDecoder_data()
{
    QTest::addColumn<QString>("file");
    for (const QString& file : allPictures())
        QTest::newRow(qPrintable(file)) << file;
}

void CameraFilesTest::pixelsMatchAnIndependentDecoder()
{
    QFETCH(QString, file);
    const QString path = testDataPath(QStringLiteral("exif/") + file);
    QImageReader reader(path);
    reader.setAutoTransform(true);
    const QImage reference = reader.read();
    QVERIFY2(!reference.isNull(), qPrintable(reader.errorString()));

    DibImage image;
    QCOMPARE(JpegCodec().loadFile(path, image), MediaStatusCode::Ok);
    // Both run the same entropy decoder; the upright turn and the colour order are ours.
    QCOMPARE(maxDifference(image.toImage(), reference), 0);
}

void CameraFilesTest::orientationSeriesShowsOneScene_data()
{
    QTest::addColumn<QString>("series");
    QTest::addColumn<int>("orientation");
    for (const char* series : {"landscape", "portrait"})
        for (int orientation = 1; orientation <= 8; ++orientation)
            QTest::addRow("%s_%d", series, orientation) << QString::fromLatin1(series) << orientation;
}

void CameraFilesTest::orientationSeriesShowsOneScene()
{
    QFETCH(QString, series);
    QFETCH(int, orientation);
    const JpegCodec codec;
    DibImage upright;
    QCOMPARE(codec.loadFile(testDataPath(QStringLiteral("exif/orientation/%1_1.jpg").arg(series)), upright),
             MediaStatusCode::Ok);
    DibImage turned;
    const QString path =
        testDataPath(QStringLiteral("exif/orientation/%1_%2.jpg").arg(series).arg(orientation));
    QCOMPARE(codec.loadFile(path, turned), MediaStatusCode::Ok);

    QCOMPARE(turned.number(QStringLiteral("orientation")), std::optional<quint16>(orientation));
    QCOMPARE(QSize(turned.width(), turned.height()), QSize(upright.width(), upright.height()));
    QCOMPARE(turned.number(QStringLiteral("real_width")), std::optional<quint16>(upright.width()));
    QCOMPARE(turned.number(QStringLiteral("real_height")), std::optional<quint16>(upright.height()));
    // The files differ in their burnt-in labels and colour handling, so no pixel must match;
    // but the right turn must fit the upright picture far better than any mirror of it.
    const QImage shown = turned.toImage();
    const QImage reference = upright.toImage();
    const double fit = meanDifference(shown, reference);
    for (const QImage& wrong :
         {shown.mirrored(true, false), shown.mirrored(false, true), shown.mirrored(true, true)}) {
        const double misfit = meanDifference(wrong, reference);
        QVERIFY2(fit * 2 < misfit, qPrintable(QStringLiteral("%1 against %2").arg(fit).arg(misfit)));
    }
}

QTEST_GUILESS_MAIN(CameraFilesTest)
#include "tst_CameraFiles.moc"
