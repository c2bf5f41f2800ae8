#!/usr/bin/perl
# Fails when a resource script (.rc, .rc2) or a file that one includes (the string tables'
# .def files) holds text that is not UTF-8: the build compiles them as UTF-8 (windres -c 65001),
# and a text with a byte that is not UTF-8 comes out cut at that byte. Bytes written as escapes
# in a string ("\260", "\xB0") count as well: such an escape is a byte of the UTF-8 text, not a
# character of a code page.
#
#   check-resource-text.pl [ROOT]
use strict;
use warnings;

my $root = shift // '.';
chdir $root or die "no folder $root\n";

# The resource scripts of the tree (not of the build trees), then what they include.
my @files;
my @dirs = ('.');
while (my $dir = shift @dirs) {
    opendir(my $dh, $dir) or next;
    for my $name (sort readdir $dh) {
        next if $name =~ /^\./;
        my $path = $dir eq '.' ? $name : "$dir/$name";
        if (-d $path) {
            push @dirs, $path unless $dir eq '.' && $name =~ /^build/;
        } elsif ($name =~ /\.(rc|rc2)$/) {
            push @files, $path;
        }
    }
    closedir $dh;
}
my %seen = map { $_ => 1 } @files;
for (my $i = 0; $i < @files; $i++) {
    open(my $fh, '<:raw', $files[$i]) or next;
    (my $dir = $files[$i]) =~ s{[^/]*$}{};
    while (my $line = <$fh>) {
        next unless $line =~ /^\s*#\s*include\s+"([^"]+)"/;
        my $inc = $1;
        next if $inc =~ /\.h$/;    # the ids: no text
        my $path = $dir . $inc;
        1 while $path =~ s{(^|/)(?!\.\./)[^/]+/\.\./}{$1};
        push @files, $path if -f $path && !$seen{$path}++;
    }
    close $fh;
}

sub utf8_valid {
    my ($bytes) = @_;
    return utf8::decode($bytes);
}

sub shown {
    my ($bytes) = @_;
    $bytes =~ s/([^\x20-\x7e])/sprintf('\\%03o', ord $1)/ge;
    return $bytes;
}

my $faults = 0;
for my $file (@files) {
    open(my $fh, '<:raw', $file) or do { print "$file: cannot be read\n"; $faults++; next };
    local $/;
    my $text = <$fh>;
    close $fh;
    my @lines = split /\n/, $text, -1;
    for my $n (0 .. $#lines) {
        next if utf8_valid($lines[$n]);
        printf "%s:%d: bytes that are not UTF-8: %s\n", $file, $n + 1, shown($lines[$n]);
        $faults++;
    }
    # The string literals, their escapes decoded; comments passed over.
    my $line = 1;
    my $len = length $text;
    for (my $i = 0; $i < $len; $i++) {
        my $c = substr($text, $i, 1);
        if ($c eq "\n") { $line++; next }
        if (substr($text, $i, 2) eq '//') {
            my $end = index($text, "\n", $i);
            $i = ($end < 0 ? $len : $end) - 1;
            next;
        }
        if (substr($text, $i, 2) eq '/*') {
            my $end = index($text, '*/', $i + 2);
            $end = $len if $end < 0;
            $line += () = substr($text, $i, $end - $i) =~ /\n/g;
            $i = $end + 1;
            next;
        }
        next unless $c eq '"';
        my $wide = $i > 0 && substr($text, $i - 1, 1) =~ /[Ll]/;
        my ($start, $bytes, $escaped) = ($line, '', 0);
        for ($i++; $i < $len; $i++) {
            $c = substr($text, $i, 1);
            if ($c eq '"') {
                last unless substr($text, $i + 1, 1) eq '"';    # "" is a quote in a resource script
                $bytes .= '"';
                $i++;
            } elsif ($c eq '\\') {
                my $rest = substr($text, $i + 1, 4);
                if ($rest =~ /^([0-7]{1,3})/) {
                    $bytes .= chr(oct($1) & 0xff);
                    $i += length $1;
                    $escaped = 1;
                } elsif ($rest =~ /^x([0-9A-Fa-f]{1,2})/) {
                    $bytes .= chr(hex $1);
                    $i += 1 + length $1;
                    $escaped = 1;
                } else {
                    $bytes .= substr($text, $i + 1, 1);
                    $i++;
                }
            } else {
                $line++ if $c eq "\n";
                $bytes .= $c;
            }
        }
        next if $wide || !$escaped || utf8_valid($bytes);
        printf "%s:%d: the text \"%s\" is not UTF-8 once its escapes are read: write the "
             . "character itself\n", $file, $start, shown($bytes);
        $faults++;
    }
}
if (!@files) {
    print "no resource scripts found under $root\n";
    exit 1;
}
exit($faults ? 1 : 0);
