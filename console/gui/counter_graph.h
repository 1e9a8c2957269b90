#pragma once
// CounterGraph: the rate per second of the counters dropped on it, one line each, against
// the seconds since the graph's first reading. A counter reset breaks its line and leaves a
// red mark on the time axis where a rate would have been a spike.

#include <QtCore/QList>
#include <QtCore/QPointF>
#include <QtCore/QString>
#include <QtWidgets/QWidget>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "console/gui/counter_rate.h"
#include "console/gui/counter_sampler.h"
#include "console/gui/counter_target.h"

class QChart;
class QChartView;
class QLabel;
class QLineSeries;
class QScatterSeries;
class QValueAxis;
class CMibAgent;

namespace gui {

class CounterGraph : public QWidget {
    Q_OBJECT
public:
    // Rate points kept per counter; older ones scroll off the left.
    static constexpr int kHistoryPoints = 600;

    explicit CounterGraph(QWidget* parent = nullptr);
    ~CounterGraph() override;

    // Where variables are looked up (the builtin dictionary until set); must outlive the graph.
    void setDictionary(const mib::MibDictionary* dictionary);
    // How each new counter gets its sampler; none (the default) or a factory that returns
    // nullptr: samples come only through addSample.
    void setSamplerFactory(CounterSamplerFactory factory);

    // Counters of agent, read from it at its polling period; drags naming another agent are
    // refused. The agent must outlive the graph.
    void setAgent(CMibAgent& agent);
    // Drags from pages of another agent than this one are refused; "" takes any.
    void setAgentAddress(const QString& address);

    // Adds the counter a drag string names as a new line; false and *error (for the
    // operator) when the text names no counter or the counter is on the graph already.
    bool addDragString(const QString& text, QString* error);
    // A reading of counter `series` (0 = the first added).
    void addSample(int series, const CounterSample& sample);

    int seriesCount() const { return static_cast<int>(m_series.size()); }
    // The counter's legend text ("Packets 1/2").
    QString seriesName(int series) const;
    // The rate points drawn, oldest first, across the line's pieces.
    QList<QPointF> ratePoints(int series) const;
    // Pieces of the line: one more after every reset that was followed by a rate.
    int segmentCount(int series) const;
    // Where resets were marked (x: seconds, y: 0).
    QList<QPointF> resetMarks(int series) const;
    QString statusText() const;
    QChart* chart() const { return m_chart; }

signals:
    void seriesAdded(int series);
    void dropRefused(const QString& reason);
    void samplingFailed(int series, const QString& message);

protected:
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    struct Series;

    // Why the counter cannot be added; "" when it can.
    std::string whyRefused(const CounterTarget& target) const;
    void startSampler(Series& series, int index);
    QLineSeries* addSegment(Series& series);
    void addRatePoint(Series& series, QPointF point);
    void addResetMark(Series& series, double x);
    void trimHistory(Series& series);
    void keepResetMarksLastInLegend();
    void rescaleAxes();
    void showStatus(const QString& text);
    bool validSeries(int series) const;

    const mib::MibDictionary* m_dictionary;
    CounterSamplerFactory m_samplerFactory;
    std::string m_agentAddress;
    QChart* m_chart = nullptr;
    QChartView* m_view = nullptr;
    QValueAxis* m_timeAxis = nullptr;
    QValueAxis* m_rateAxis = nullptr;
    QScatterSeries* m_resetSeries = nullptr;
    QLabel* m_status = nullptr;
    bool m_rescalePending = false;
    std::optional<double> m_origin;  // wall seconds of the graph's first reading
    std::vector<std::unique_ptr<Series>> m_series;
};

}  // namespace gui
