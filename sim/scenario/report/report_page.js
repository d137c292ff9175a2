// The report page's behaviour: the time slider and play over the run's samples, seeking from the
// timeline, enlarging screen pictures, the timeline filter, and the footer's counts for the tests.
(function () {
    'use strict';
    var status = document.getElementById('page-status');
    function fail(message) {
        status.dataset.state = 'error';
        status.textContent = 'script error: ' + message;
    }
    window.addEventListener('error', function (event) {
        fail(event.message);
    });
    try {
        var samples = JSON.parse(document.getElementById('samples').textContent);
        var slider = document.getElementById('time');
        var output = document.getElementById('time-out');
        var cursor = document.getElementById('chart-cursor');
        var chart = cursor ? cursor.ownerSVGElement : null;
        var figures = Array.prototype.slice.call(document.querySelectorAll('#screens figure'));
        var endMs = samples.length ? samples[samples.length - 1][0] : 0;
        var pedCount = document.querySelectorAll('[id^="m-ped-"]').length;

        function place(id, point) {
            var element = document.getElementById(id);
            if (!element) return;
            if (!point) {
                element.classList.add('hidden');
                return;
            }
            element.classList.remove('hidden');
            if (element.tagName.toLowerCase() === 'rect') {
                var half = parseFloat(element.getAttribute('width')) / 2;
                element.setAttribute('x', point[0] - half);
                element.setAttribute('y', point[1] - half);
            } else {
                element.setAttribute('cx', point[0]);
                element.setAttribute('cy', point[1]);
            }
        }

        function show(index) {
            if (!samples.length) return;
            var sample = samples[Math.max(0, Math.min(samples.length - 1, index))];
            place('m-player', sample[1]);
            place('m-crew', sample[2]);
            place('m-gunner', sample[3]);
            sample[4].forEach(function (point, i) {
                place('m-ped-' + i, point);
                var marker = document.getElementById('m-ped-' + i);
                if (marker) marker.classList.toggle('down', sample[5].charAt(i) === 'd');
            });
            // A ped the timeline brings in later is not on the map before it comes.
            for (var later = sample[4].length; later < pedCount; later++)
                place('m-ped-' + later, null);
            output.textContent = (sample[0] / 1000).toFixed(1) + ' s';
            if (chart && endMs > 0) {
                var x =
                    Number(chart.dataset.left) +
                    (Number(chart.dataset.plotWidth) * sample[0]) / endMs;
                cursor.setAttribute('x1', x);
                cursor.setAttribute('x2', x);
            }
            var current = null;
            figures.forEach(function (figure) {
                if (Number(figure.dataset.ms) <= sample[0]) current = figure;
                figure.classList.remove('current');
            });
            if (current) current.classList.add('current');
        }

        function indexAt(ms) {
            var best = 0;
            for (var i = 0; i < samples.length; i++) if (samples[i][0] <= ms) best = i;
            return best;
        }

        slider.addEventListener('input', function () {
            show(Number(slider.value));
        });
        var map = document.querySelector('svg.map');
        document.querySelectorAll('#events li[data-ms]').forEach(function (item) {
            item.addEventListener('click', function () {
                var index = indexAt(Number(item.dataset.ms));
                slider.value = index;
                show(index);
                if (map && map.scrollIntoView)
                    map.scrollIntoView({ block: 'nearest', behavior: 'smooth' });
            });
        });

        // Play moves the slider through the run in game time, times the chosen speed.
        var play = document.getElementById('play');
        var speed = document.getElementById('speed');
        var timer = null,
            lastTick = 0,
            playMs = 0;
        function stop() {
            if (timer) clearInterval(timer);
            timer = null;
            play.textContent = '\u25B6 play';
            play.dataset.playing = 'no';
        }
        function step() {
            var now = Date.now();
            playMs += (now - lastTick) * Number(speed.value);
            lastTick = now;
            var index = indexAt(playMs);
            slider.value = index;
            show(index);
            if (playMs >= endMs) stop();
        }
        play.addEventListener('click', function () {
            if (timer) {
                stop();
                return;
            }
            var index = Number(slider.value);
            playMs = index >= samples.length - 1 ? 0 : samples[index][0];
            lastTick = Date.now();
            timer = setInterval(step, 50);
            play.textContent = '\u275A\u275A pause';
            play.dataset.playing = 'yes';
        });

        // A screen picture is enlarged on click, and shrinks back on the next click or Escape.
        figures.forEach(function (figure) {
            figure.addEventListener('click', function () {
                var open = figure.classList.contains('enlarged');
                figures.forEach(function (other) {
                    other.classList.remove('enlarged');
                });
                if (!open) figure.classList.add('enlarged');
            });
        });
        document.addEventListener('keydown', function (event) {
            if (event.key === 'Escape')
                figures.forEach(function (figure) {
                    figure.classList.remove('enlarged');
                });
        });
        var filter = document.getElementById('filter');
        filter.addEventListener('input', function () {
            var needle = filter.value.toLowerCase();
            document.querySelectorAll('#events li').forEach(function (item) {
                item.classList.toggle(
                    'hidden',
                    needle !== '' && item.textContent.toLowerCase().indexOf(needle) < 0,
                );
            });
        });
        show(Number(slider.value));

        // Map labels whose drawn boxes overlap, as the browser lays them out.
        function overlappingLabels() {
            var boxes = Array.prototype.map.call(
                document.querySelectorAll('#map-labels text'),
                function (t) {
                    return t.getBoundingClientRect();
                },
            );
            var count = 0;
            for (var i = 0; i < boxes.length; i++)
                for (var j = i + 1; j < boxes.length; j++) {
                    var a = boxes[i],
                        b = boxes[j];
                    if (
                        a.left < b.right &&
                        b.left < a.right &&
                        a.top < b.bottom &&
                        b.top < a.bottom
                    )
                        count++;
                }
            return count;
        }

        var pictures = document.querySelectorAll('#screens figure svg').length;
        var maps = document.querySelectorAll('svg.map').length;
        var charts = document.querySelectorAll('svg.chart').length;
        if (status.dataset.state !== 'error') {
            status.dataset.state = 'ok';
            status.dataset.screens = String(pictures);
            status.dataset.maps = String(maps);
            status.dataset.charts = String(charts);
            status.dataset.samples = String(samples.length);
            status.dataset.pedRows = String(
                document.querySelectorAll('#ped-table tr').length -
                    (document.getElementById('ped-table') ? 1 : 0),
            );
            status.dataset.crewRows = String(
                document.querySelectorAll('#crew-table tr').length -
                    (document.getElementById('crew-table') ? 1 : 0),
            );
            status.dataset.crewMarks = String(
                document.querySelectorAll('#crew-marks .crew-given-up').length,
            );
            status.dataset.scale = document.getElementById('map-scale') ? 'yes' : 'no';
            status.dataset.gridLabels = String(document.querySelectorAll('#map-grid text').length);
            status.dataset.play = play ? 'yes' : 'no';
            status.dataset.overlaps = String(overlappingLabels());
            status.dataset.readyMs = String(Math.round(performance.now()));
            status.textContent =
                'report ready: ' +
                pictures +
                ' screens, ' +
                maps +
                ' map, ' +
                charts +
                ' chart, ' +
                samples.length +
                ' samples';
        }
    } catch (error) {
        fail(error && error.message ? error.message : String(error));
    }
})();
