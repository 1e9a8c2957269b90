#include "console/gui/counter_graph.h"

#include "framework/mib/mib_agent.h"

#include <QtCharts/QChart>
#include <QtCharts/QChartView>
#include <QtCharts/QLegend>
#include <QtCharts/QLegendMarker>
#include <QtCharts/QLineSeries>
#include <QtCharts/QScatterSeries>
#include <QtCharts/QValueAxis>
#include <QtCore/QMimeData>
#include <QtCore/QTimer>
#include <QtGui/QDragEnterEvent>
#include <QtGui/QDropEvent>
#include <QtWidgets/QLabel>
#include <QtWidgets/QVBoxLayout>
#include <algorithm>

namespace gui {

namespace {

const char* const kHint = "Drop a counter from a Statistics page to graph its rate per second.";
const QColor kResetColour(0xd3, 0x2f, 0x2f);

// 1, 2 or 5 times a power of ten, at least rough.
double roundStep(double rough) {
    double step = 1;
    while (step * 10 <= rough) {
        step *= 10;
    }
    for (const double factor : {1.0, 2.0, 5.0, 10.0}) {
        if (step * factor >= rough) {
            return step * factor;
        }
    }
    return step * 10;
}

}  // namespace

struct CounterGraph::Series {
    Series(CounterTarget t) : target(std::move(t)), rate(target.widthBits) {}

    CounterTarget target;
    CounterRate rate;
    std::vector<QLineSeries*> segments;  // the first carries the legend
    bool breakBeforeNext = false;        // a reset since the last rate point
    bool failing = false;                // the last reading failed
    QList<QPointF> resets;
    std::unique_ptr<CounterSampler> sampler;
};

CounterGraph::CounterGraph(QWidget* parent)
    : QWidget(parent), m_dictionary(&mib::MibDictionary::builtin()) {
    setWindowTitle(tr("Counter Rates"));
    setAcceptDrops(true);

    m_chart = new QChart;
    m_chart->setTitle(tr("Rate per second"));
    m_chart->legend()->setAlignment(Qt::AlignBottom);
    m_chart->setMargins(QMargins(4, 4, 4, 4));

    m_timeAxis = new QValueAxis;
    m_timeAxis->setTitleText(tr("Time (s)"));
    m_timeAxis->setLabelFormat("%.0f");
    m_timeAxis->setRange(0, 60);
    m_timeAxis->setTickType(QValueAxis::TicksDynamic);
    m_timeAxis->setTickAnchor(0);
    m_timeAxis->setTickInterval(10);
    m_rateAxis = new QValueAxis;
    m_rateAxis->setTitleText(tr("Per second"));
    m_rateAxis->setLabelFormat("%.0f");
    m_rateAxis->setRange(0, 10);
    m_rateAxis->applyNiceNumbers();
    m_chart->addAxis(m_timeAxis, Qt::AlignBottom);
    m_chart->addAxis(m_rateAxis, Qt::AlignLeft);

    m_resetSeries = new QScatterSeries;
    m_resetSeries->setName(tr("Counter reset"));
    m_resetSeries->setColor(kResetColour);
    m_resetSeries->setBorderColor(Qt::white);
    m_resetSeries->setMarkerSize(10);
    m_chart->addSeries(m_resetSeries);
    m_resetSeries->attachAxis(m_timeAxis);
    m_resetSeries->attachAxis(m_rateAxis);
    m_resetSeries->setVisible(false);  // until a reset is marked: no empty legend entry

    m_view = new QChartView(m_chart, this);
    m_view->setRenderHint(QPainter::Antialiasing);
    m_view->setAcceptDrops(false);  // drops land on the graph, not the view

    m_status = new QLabel(tr(kHint), this);
    m_status->setTextInteractionFlags(Qt::TextSelectableByMouse);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->addWidget(m_view, 1);
    layout->addWidget(m_status);
    resize(640, 400);
}

CounterGraph::~CounterGraph() {
    // Samplers first: none may call back into a graph that is going.
    for (auto& series : m_series) {
        series->sampler.reset();
    }
}

void CounterGraph::setDictionary(const mib::MibDictionary* dictionary) {
    m_dictionary = dictionary != nullptr ? dictionary : &mib::MibDictionary::builtin();
}

void CounterGraph::setSamplerFactory(CounterSamplerFactory factory) {
    m_samplerFactory = std::move(factory);
}

void CounterGraph::setAgent(CMibAgent& agent) {
    setDictionary(&agent.GetDictionary());
    setAgentAddress(QString::fromStdString(agent.GetAddress().str()));
    setSamplerFactory(agentSamplerFactory(agent));
}

void CounterGraph::setAgentAddress(const QString& address) {
    m_agentAddress = address.toStdString();
}

std::string CounterGraph::whyRefused(const CounterTarget& target) const {
    if (!m_agentAddress.empty() && !target.agent.empty() && target.agent != m_agentAddress) {
        // Its samples would come from the wrong switch under this counter's name.
        return target.legend() + " is a counter of " + target.agent + "; this graph reads " +
               m_agentAddress + ".";
    }
    for (const auto& series : m_series) {
        if (series->target.sameCounter(target)) {
            return series->target.legend() + " is on the graph already.";
        }
    }
    return {};
}

bool CounterGraph::addDragString(const QString& text, QString* error) {
    std::string why;
    std::optional<CounterTarget> target =
        counterFromDragString(text.toStdString(), *m_dictionary, &why);
    if (target) {
        why = whyRefused(*target);
    }
    if (!target || !why.empty()) {
        if (error != nullptr) {
            *error = QString::fromStdString(why);
        }
        return false;
    }
    const int index = seriesCount();
    m_series.push_back(std::make_unique<Series>(std::move(*target)));
    Series& series = *m_series.back();
    addSegment(series)->setName(QString::fromStdString(series.target.legend()));
    if (m_samplerFactory) {
        series.sampler = m_samplerFactory(series.target);
    }
    if (series.sampler) {
        startSampler(series, index);
    }
    showStatus(tr("Graphing %1.").arg(seriesName(index)));
    emit seriesAdded(index);
    return true;
}

void CounterGraph::startSampler(Series& series, int index) {
    series.sampler->setSampleHandler([this, &series, index](const CounterSample& sample) {
        if (series.failing) {
            series.failing = false;
            showStatus(tr("%1: read again.").arg(seriesName(index)));
        }
        addSample(index, sample);
    });
    series.sampler->setFailureHandler([this, &series, index](const std::string& message) {
        series.failing = true;
        const QString text = QString::fromStdString(message);
        showStatus(seriesName(index) + ": " + text);
        emit samplingFailed(index, text);
    });
    series.sampler->start();
}

bool CounterGraph::validSeries(int series) const {
    return series >= 0 && series < seriesCount();
}

QLineSeries* CounterGraph::addSegment(Series& series) {
    auto* segment = new QLineSeries;
    m_chart->addSeries(segment);
    segment->attachAxis(m_timeAxis);
    segment->attachAxis(m_rateAxis);
    if (series.segments.empty()) {
        QPen pen = segment->pen();
        pen.setWidthF(2);
        segment->setPen(pen);
        keepResetMarksLastInLegend();
    } else {
        // A later piece of the same line: same colour, no legend entry of its own.
        segment->setPen(series.segments.front()->pen());
        for (QLegendMarker* marker : m_chart->legend()->markers(segment)) {
            marker->setVisible(false);
        }
    }
    series.segments.push_back(segment);
    return segment;
}

void CounterGraph::keepResetMarksLastInLegend() {
    // The legend lists series in the order they were added: the reset marks go after the lines.
    const bool shown = m_resetSeries->isVisible();
    m_chart->removeSeries(m_resetSeries);
    m_chart->addSeries(m_resetSeries);
    m_resetSeries->attachAxis(m_timeAxis);
    m_resetSeries->attachAxis(m_rateAxis);
    m_resetSeries->setVisible(shown);
}

void CounterGraph::addSample(int index, const CounterSample& sample) {
    if (!validSeries(index)) {
        return;
    }
    Series& series = *m_series[static_cast<std::size_t>(index)];
    if (!m_origin) {
        m_origin = sample.wallSeconds;
    }
    const double x = sample.wallSeconds - *m_origin;
    const RateOutcome outcome = series.rate.add(sample);
    switch (outcome.kind) {
        case RateOutcome::Kind::None:
            return;
        case RateOutcome::Kind::Reset:
            addResetMark(series, x);
            break;
        case RateOutcome::Kind::Rate:
            addRatePoint(series, QPointF(x, outcome.perSecond));
            break;
    }
    // Every axis change redraws every line: once for all the readings of one loop turn.
    if (!m_rescalePending) {
        m_rescalePending = true;
        QTimer::singleShot(0, this, [this] {
            m_rescalePending = false;
            rescaleAxes();
        });
    }
}

void CounterGraph::addRatePoint(Series& series, QPointF point) {
    if (series.breakBeforeNext && series.segments.back()->count() > 0) {
        addSegment(series);
    }
    series.breakBeforeNext = false;
    QLineSeries* last = series.segments.back();
    if (series.segments.size() == 1 && last->count() >= kHistoryPoints) {
        // The usual case once the history is full: one change of the line, not two.
        QList<QPointF> points = last->points();
        points.erase(points.begin(), points.end() - (kHistoryPoints - 1));
        points.append(point);
        last->replace(points);
        return;
    }
    last->append(point);
    trimHistory(series);
}

void CounterGraph::addResetMark(Series& series, double x) {
    series.breakBeforeNext = true;
    series.resets.append(QPointF(x, 0));
    while (series.resets.size() > kHistoryPoints) {
        series.resets.removeFirst();
    }
    QList<QPointF> all;
    for (const auto& each : m_series) {
        all.append(each->resets);
    }
    m_resetSeries->replace(all);
    m_resetSeries->setVisible(true);
    showStatus(tr("%1: counter reset at %2 s; its line starts again.")
                   .arg(QString::fromStdString(series.target.legend()))
                   .arg(x, 0, 'f', 0));
}

void CounterGraph::trimHistory(Series& series) {
    int total = 0;
    for (const QLineSeries* segment : series.segments) {
        total += segment->count();
    }
    while (total > kHistoryPoints) {
        QLineSeries* first = series.segments.front();
        const int drop = std::min(first->count(), total - kHistoryPoints);
        first->removePoints(0, drop);
        total -= drop;
        if (first->count() == 0 && series.segments.size() > 1) {
            // The legend stays with the first piece: it takes over the second's points.
            QLineSeries* second = series.segments[1];
            first->replace(second->points());
            m_chart->removeSeries(second);
            delete second;
            series.segments.erase(series.segments.begin() + 1);
        }
    }
}

void CounterGraph::rescaleAxes() {
    std::optional<double> minX;
    double maxX = 0;
    double maxY = 0;
    for (const auto& series : m_series) {
        for (const QLineSeries* segment : series->segments) {
            for (const QPointF& p : segment->points()) {
                minX = minX ? std::min(*minX, p.x()) : p.x();
                maxX = std::max(maxX, p.x());
                maxY = std::max(maxY, p.y());
            }
        }
        for (const QPointF& p : series->resets) {
            minX = minX ? std::min(*minX, p.x()) : p.x();
            maxX = std::max(maxX, p.x());
        }
    }
    const double from = minX.value_or(0);
    const double to = std::max(maxX, from + 10);
    m_timeAxis->setRange(from, to);
    // The range follows the readings exactly; the ticks fall on round seconds within it.
    m_timeAxis->setTickInterval(roundStep((to - from) / 6));
    // Headroom above the highest rate; an idle counter still gets a readable axis.
    m_rateAxis->setRange(0, std::max(maxY * 1.1, 10.0));
    m_rateAxis->applyNiceNumbers();
}

QString CounterGraph::seriesName(int series) const {
    return validSeries(series)
               ? QString::fromStdString(m_series[static_cast<std::size_t>(series)]->target.legend())
               : QString();
}

QList<QPointF> CounterGraph::ratePoints(int series) const {
    QList<QPointF> points;
    if (validSeries(series)) {
        for (const QLineSeries* segment : m_series[static_cast<std::size_t>(series)]->segments) {
            points.append(segment->points());
        }
    }
    return points;
}

int CounterGraph::segmentCount(int series) const {
    return validSeries(series)
               ? static_cast<int>(m_series[static_cast<std::size_t>(series)]->segments.size())
               : 0;
}

QList<QPointF> CounterGraph::resetMarks(int series) const {
    return validSeries(series) ? m_series[static_cast<std::size_t>(series)]->resets
                               : QList<QPointF>();
}

QString CounterGraph::statusText() const {
    return m_status->text();
}

void CounterGraph::showStatus(const QString& text) {
    m_status->setText(text);
}

void CounterGraph::dragEnterEvent(QDragEnterEvent* event) {
    // Any text is taken in: a refused one then says why on the drop.
    if (event->mimeData()->hasText()) {
        event->acceptProposedAction();
    }
}

void CounterGraph::dragMoveEvent(QDragMoveEvent* event) {
    if (event->mimeData()->hasText()) {
        event->acceptProposedAction();
    }
}

void CounterGraph::dropEvent(QDropEvent* event) {
    QString error;
    if (addDragString(event->mimeData()->text(), &error)) {
        event->acceptProposedAction();
        return;
    }
    event->ignore();
    showStatus(error);
    emit dropRefused(error);
}

}  // namespace gui
