// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A paint device that keeps every text drawn on it, as the painter hands the text over
// after any eliding: rendering a widget on it tells what the user would read.
#include <QPaintDevice>
#include <QPainterPath>
#include <QPaintEngine>
#include <QSize>
#include <QStringList>
#include <QWidget>

#include <climits>
#include <memory>

namespace sifter::test {

class DrawnTexts final : public QPaintDevice {
public:
    explicit DrawnTexts(QSize size) : size_(size), engine_(std::make_unique<Engine>(texts_)) {}

    // The texts drawn so far, in drawing order (one entry per run of one font).
    const QStringList &Texts() const { return texts_; }
    // The texts the widget draws when it paints itself now.
    static QStringList Of(QWidget &widget)
    {
        DrawnTexts device(widget.size());
        widget.render(&device);
        return device.Texts();
    }

    QPaintEngine *paintEngine() const override { return engine_.get(); }

protected:
    int metric(PaintDeviceMetric metric) const override
    {
        switch (metric) {
        case PdmWidth:
            return size_.width();
        case PdmHeight:
            return size_.height();
        case PdmDepth:
            return 32;
        case PdmNumColors:
            return INT_MAX;
        case PdmDpiX:
        case PdmDpiY:
        case PdmPhysicalDpiX:
        case PdmPhysicalDpiY:
            return kDotsPerInch;
        case PdmWidthMM:
            return size_.width() * kMillimetresPerInch / kDotsPerInch;
        case PdmHeightMM:
            return size_.height() * kMillimetresPerInch / kDotsPerInch;
        case PdmDevicePixelRatio:
            return 1;
        case PdmDevicePixelRatioScaled:
            return static_cast<int>(devicePixelRatioFScale());
        default:
            return QPaintDevice::metric(metric);
        }
    }

private:
    static constexpr int kDotsPerInch = 96;
    static constexpr int kMillimetresPerInch = 25;

    class Engine final : public QPaintEngine {
    public:
        explicit Engine(QStringList &texts) : QPaintEngine(AllFeatures), texts_(texts) {}
        bool begin(QPaintDevice *) override { return true; }
        bool end() override { return true; }
        void updateState(const QPaintEngineState &) override {}
        void drawPixmap(const QRectF &, const QPixmap &, const QRectF &) override {}
        void drawPath(const QPainterPath &) override {}
        void drawTextItem(const QPointF &, const QTextItem &item) override { texts_.append(item.text()); }
        Type type() const override { return User; }

    private:
        QStringList &texts_;
    };

    QSize size_;
    QStringList texts_;
    std::unique_ptr<Engine> engine_;
};

} // namespace sifter::test
