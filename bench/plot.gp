# The benchmark's picture: time against catalogue records, on log scales.
# Left, whole processes (best ms); right, start-up under Wine to the visible
# window, with the bare window as the floor. Called by scripts/bench with
#   processes  file of "records inflate unzip extract lookup" lines
#   startup    file of "records best-ms" lines (may be empty)
#   bare       the bare window's best ms (0 when start-up was not timed)
#   output     the PNG to write
set terminal pngcairo size 1100,440 font "Sans,10"
set output output
set multiplot layout 1,2
set logscale xy
set grid
set key top left
set format x "%.0s%c"
set xlabel "records in the catalogue"
set ylabel "best wall time, ms"
set title "Whole processes"
set xrange [700:1.5e6]
plot processes using 1:2 with linespoints title "zlib floor", \
     processes using 1:3 with linespoints title "unzip -p", \
     processes using 1:4 with linespoints title "varnett-admin extract", \
     processes using 1:5 with linespoints title "varnett-admin lookup"
unset logscale y
set yrange [0:*]
set ylabel "to the visible window, ms"
set title "Start-up under Wine"
set xrange [700:1.5e5]
if (bare + 0 > 0) {
  plot startup using 1:2 with linespoints title "Varnett.exe", \
       bare + 0 with lines dashtype 2 title "bare window"
} else {
  set label 1 "start-up not timed" at graph 0.5, 0.5 center
  plot 1/0 notitle
}
unset multiplot
