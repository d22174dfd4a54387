// One paint of the lamp layout view with 10,000 lamps, offscreen. The
// budget is one frame at 60 Hz (16 ms).
#include "gui/app/CommandIds.h"
#include "gui/document/LayoutDocument.h"
#include "gui/layout/EditImgView.h"

#include <QApplication>
#include <QImage>
#include <QTest>

#include <memory>

namespace {

class LayoutPaintBench : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase()
    {
        m_document = std::make_unique<lumaro::gui::CLayoutDocument>();
        lumaro::CEditImgDoc project;
        auto& lamps = project.lamps;
        int n = 0;
        for (int x = 0; x < 100; ++x) {
            for (int y = 0; y < 100; ++y) {
                lumaro::CLamp lamp(x, y, n++, 0x00FF00, 5, 1);
                // Every other column chained, so order numbers are drawn too.
                if (x % 2 == 0) {
                    lamp.port = 1 + x % 12;
                    lamp.order = y + 1;
                    lamp.colour = static_cast<std::int32_t>(0x0000FF);
                }
                lamps.push_back(lamp);
            }
        }
        project.scanned = true;
        m_document->OpenProject(std::move(project));
        m_view = std::make_unique<lumaro::gui::CEditImgView>(m_document.get());
        m_view->resize(1280, 1024);
        m_image = QImage(m_view->size(), QImage::Format_ARGB32_Premultiplied);
        m_view->render(&m_image); // the first paint fits the zoom
    }

    void paintTenThousandLamps()
    {
        QCOMPARE(m_document->Data().lamps.size(), std::size_t(10000));
        QBENCHMARK
        {
            m_view->render(&m_image);
        }
    }

    // The same with Show Wiring on: the chains drawn over the lamps.
    void paintTenThousandLampsWithWiring()
    {
        m_view->RunCommand(lumaro::gui::cmd::ShowWiring);
        QVERIFY(m_view->WiringShown());
        m_view->render(&m_image);
        QBENCHMARK
        {
            m_view->render(&m_image);
        }
        m_view->RunCommand(lumaro::gui::cmd::ShowWiring);
    }

    // A fresh view: its first paint fits the zoom and draws every lamp
    // picture anew (the view's construction is counted too).
    void firstPaintOfANewView()
    {
        QBENCHMARK
        {
            lumaro::gui::CEditImgView view(m_document.get());
            view.resize(m_view->size());
            view.render(&m_image);
        }
    }

    void cleanupTestCase()
    {
        m_view.reset();
        m_document.reset();
    }

private:
    std::unique_ptr<lumaro::gui::CLayoutDocument> m_document;
    std::unique_ptr<lumaro::gui::CEditImgView> m_view;
    QImage m_image;
};

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    LayoutPaintBench bench;
    return QTest::qExec(&bench, argc, argv);
}

#include "LayoutPaintBench.moc"
